#pragma once

#include <QString>
#include <condition_variable>
#include <cstddef>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace folimo {

// The texts a seller gives one PDF: its listing title, its listing pages, its preview pages
// and its watermark.
struct PDFTexts {
    std::string title;
    std::string pages;
    std::string previewPages;
    std::string watermark;
    bool operator==(const PDFTexts&) const = default;
};

// What each PDF was given, so that opening it again brings its texts back. A PDF is known by
// its content (contentKey), not by its name, so a renamed or moved copy keeps them. The
// PDFMemory::capacity most recently used PDFs are kept, the longest unused forgotten first.
//
// Kept in a file of its own beside the settings store, so that the store stays small (every
// keystroke saves the settings, and the store's file is rewritten whole): a JSON array, most
// recently used first, of objects with "key", "title", "pages", "previewPages" and
// "watermark", all text. Read leniently: an entry that is not such an object is skipped, the
// others kept. Written whole into a new file that then takes the old one's place, on a thread
// of its own, the latest state once however many changes came meanwhile; the destructor
// writes what is pending. Main thread only.
class PDFMemory {
public:
    static constexpr std::size_t capacity = 500;

    // The memory kept in file (which need not exist yet).
    explicit PDFMemory(std::filesystem::path file);
    ~PDFMemory();

    // A key for the PDF file's content: its size and a hash of its first and last 256 KiB (the
    // header and the trailer with the document's ID among them), so it costs the same few
    // milliseconds for a file of any size. Nothing when it can't be read.
    static std::optional<QString> contentKey(const std::filesystem::path& pdf);

    // The texts of the PDF with this key, made the most recently used; nothing when unknown.
    std::optional<PDFTexts> recall(const QString& key);
    // Whether the PDF with this key has texts, without using it.
    bool knows(const QString& key) const;
    // Keeps texts for the PDF with this key as its most recent use; beyond capacity the
    // longest unused PDF is forgotten.
    void remember(const QString& key, const PDFTexts& texts);
    std::size_t count() const { return entries_.size(); }

private:
    struct Entry {
        QString key;
        PDFTexts texts;
    };
    void save();
    void write(std::stop_token stop);

    const std::filesystem::path file_;
    std::vector<Entry> entries_; // most recently used first

    std::mutex mutex_;
    std::condition_variable_any wake_;
    std::optional<std::vector<Entry>> pending_; // guarded by mutex_
    std::jthread writer_;
};

} // namespace folimo
