#include "model/listing_session.hpp"

#include "folimo/listing_error.hpp"
#include "folimo/sample_pdf.hpp"
#include "folimo/settings_json.hpp"
#include "model/edit_step.hpp"
#include "model/panels.hpp"
#include "model/pdf_memory.hpp"
#include "model/store_writer.hpp"
#include "model/texts.hpp"

#include <QFileInfo>
#include <QSettings>
#include <algorithm>
#include <utility>

namespace folimo {
namespace {

const QString settingsKey = QStringLiteral("settings.v1");
const QString brandsKey = QStringLiteral("brands.v1");
const QString brandIDKey = QStringLiteral("brandID");
const QString squareCropKey = QStringLiteral("showSquareCrop");
const QString unreadableBrandsKey = QStringLiteral("brands.v1.unreadable");

std::string_view bytesOf(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

QByteArray toBytes(const std::string& text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

QString nameOf(const std::filesystem::path& path) {
    return QString::fromStdString(path.filename().string());
}

// "Folimo.conf" keeps its PDFs' texts in "Folimo-pdfs.json".
std::filesystem::path memoryFileBeside(const QSettings& store) {
    const QFileInfo file(store.fileName());
    return QFile::encodeName(file.absolutePath() + QLatin1Char('/') + file.completeBaseName() +
                             QStringLiteral("-pdfs.json"))
        .toStdString();
}

PDFTexts textsOf(const ListingSettings& settings) {
    return {settings.title, settings.pages, settings.preview.pages, settings.preview.watermark};
}

} // namespace

ListingSession::ListingSession(QSettings& store, Panels* panels, Alert alert, QObject* parent)
    : QObject(parent)
    , store_(store)
    , storeWriter_(std::make_unique<StoreWriter>(store))
    , memory_(std::make_unique<PDFMemory>(memoryFileBeside(store)))
    , recent_(std::make_unique<RecentPDFs>(store, *storeWriter_))
    , panels_(panels)
    , alert_(std::move(alert)) {
    loadStore();
}

ListingSession::~ListingSession() = default;

// Read leniently and not written back: a value with a damaged field keeps its other fields,
// a brand list keeps its whole brands, and the store is rewritten only when the user changes
// something. Brand entries that cannot be read are kept aside under their own key and
// reported once.
void ListingSession::loadStore() {
    const QByteArray storedSettings = store_.value(settingsKey).toByteArray();
    if (!storedSettings.isEmpty()) {
        settings_ = decodeStoredSettings(bytesOf(storedSettings));
        settings_.title.clear();
        settings_.pages.clear();
        settings_.preview.pages.clear();
        settings_.video.pages.clear();
    }
    StoredBrands stored = decodeStoredBrands(bytesOf(store_.value(brandsKey).toByteArray()));
    if (!stored.brands.empty()) brands_ = std::move(stored.brands);
    if (!stored.unreadable.empty()) {
        QStringList setAside;
        for (const std::string& entry : stored.unreadable)
            setAside << QString::fromStdString(entry);
        if (store_.value(unreadableBrandsKey).toStringList() != setAside) {
            storeWriter_->set(unreadableBrandsKey, setAside);
            alert_(Texts::unreadableBrands(stored.unreadable.size()));
        }
    }
    const QVariant id = store_.value(brandIDKey);
    if (id.typeId() == QMetaType::QString)
        if (const auto uuid = Uuid::parse(id.toString().toStdString())) brandID_ = *uuid;
}

void ListingSession::saveSettings() {
    storeWriter_->set(settingsKey, toBytes(encodeSettings(settings_)));
}

void ListingSession::saveBrands() {
    storeWriter_->set(brandsKey, toBytes(encodeBrands(brands_)));
}

void ListingSession::saveBrandID() {
    storeWriter_->set(brandIDKey, QString::fromStdString(brandID_.text()));
}

// --- Observed fields ------------------------------------------------------------------

void ListingSession::setSettings(const ListingSettings& settings) {
    const bool changed = settings != settings_;
    const ListingSettings before = changed ? std::exchange(settings_, settings) : ListingSettings();
    saveSettings();
    if (!changed) return;
    rememberTexts(before);
    emit settingsChanged();
}

void ListingSession::rememberTexts(const ListingSettings& before) {
    const PDFTexts texts = textsOf(settings_);
    if (sourceKey_ && texts != textsOf(before)) memory_->remember(*sourceKey_, texts);
}

void ListingSession::setBrands(const std::vector<Brand>& brands) {
    const bool changed = brands != brands_;
    if (changed) brands_ = brands;
    saveBrands();
    if (!changed) return;
    emit brandsChanged();
}

void ListingSession::setBrandID(const Uuid& id) {
    const bool changed = id != brandID_;
    if (changed) brandID_ = id;
    saveBrandID();
    if (!changed) return;
    emit brandIDChanged();
}

bool ListingSession::showSquareCrop() const {
    return store_.value(squareCropKey, false).toBool();
}

void ListingSession::setShowSquareCrop(bool show) {
    if (show == showSquareCrop()) return;
    storeWriter_->set(squareCropKey, show);
    emit showSquareCropChanged();
}

// --- Derived values -------------------------------------------------------------------

QString ListingSession::title() const {
    // The library's rule, so the folder the save question names is the one the set gets.
    const std::string_view title =
        listingTitle(settings_.title, source_ ? std::string_view(source_->title()) : "");
    return QString::fromUtf8(title.data(), qsizetype(title.size()));
}

const Brand& ListingSession::brand() const {
    const auto chosen = std::find_if(brands_.begin(), brands_.end(),
                                     [this](const Brand& brand) { return brand.id == brandID_; });
    return chosen != brands_.end() ? *chosen : Brand::classic();
}

ListingSettings ListingSession::effectiveSettings() const {
    ListingSettings settings = settings_;
    settings.brand = brand();
    return settings;
}

// --- Opening --------------------------------------------------------------------------

void ListingSession::open(std::shared_ptr<const SourcePDF> source, const QString& name) {
    emit opening();
    reloadFailed_.reset();
    if (source != source_) {
        source_ = std::move(source);
        emit sourceChanged();
    }
    if (name != sourceName_) {
        sourceName_ = name;
        emit sourceNameChanged();
    }
    // One field after another, each saved, as the inspector would set them; none of it is a
    // change to remember.
    sourceKey_.reset();
    const std::optional<QString> key =
        source_->url() ? PDFMemory::contentKey(*source_->url()) : std::nullopt;
    const std::optional<PDFTexts> remembered = key ? memory_->recall(*key) : std::nullopt;
    const PDFTexts texts = remembered.value_or(PDFTexts{});
    ListingSettings settings = settings_;
    settings.title = texts.title;
    setSettings(settings);
    settings.pages = texts.pages;
    setSettings(settings);
    settings.preview.pages = texts.previewPages;
    setSettings(settings);
    settings.video.pages.clear();
    setSettings(settings);
    if (remembered) {
        settings.preview.watermark = remembered->watermark;
        setSettings(settings);
    }
    sourceKey_ = key;
    undoStack_.clear();
    emit opened();
}

std::optional<QString> ListingSession::reloadChangedSource() {
    if (!source_ || !source_->url() || !source_->changedOnDisk()) return std::nullopt;
    try {
        source_ = SourcePDF::open(*source_->url());
        // The texts stay with the PDF the seller is editing.
        const bool known = sourceKey_ && memory_->knows(*sourceKey_);
        sourceKey_ = PDFMemory::contentKey(*source_->url());
        if (known && sourceKey_) memory_->remember(*sourceKey_, textsOf(settings_));
        emit sourceChanged();
        return std::nullopt;
    } catch (const ListingError& error) {
        reloadFailed_ = source_;
        return QString::fromStdString(error.errorDescription());
    }
}

bool ListingSession::openPath(const std::filesystem::path& path, const QString& name, bool listed) {
    try {
        open(SourcePDF::open(path), name);
        if (listed) {
            std::error_code error;
            const auto absolute = std::filesystem::absolute(path, error);
            recent_->add((error ? path : absolute).lexically_normal());
            emit recentPDFsChanged();
        }
        return true;
    } catch (const ListingError& error) {
        alert_(QString::fromStdString(error.errorDescription()));
        return false;
    }
}

void ListingSession::openPDF() {
    if (!panels_) return;
    const auto path = panels_->choosePDF(Texts::choosePDF());
    if (path) openPath(*path, nameOf(*path));
}

bool ListingSession::isPDF(const std::filesystem::path& path) {
    return QString::fromStdString(path.extension().string()).toLower() == QStringLiteral(".pdf");
}

bool ListingSession::openFile(const std::filesystem::path& path) {
    if (!isPDF(path)) return false;
    openPath(path, nameOf(path));
    return true;
}

bool ListingSession::openFiles(const std::vector<std::filesystem::path>& paths) {
    return std::any_of(paths.begin(), paths.end(),
                       [this](const std::filesystem::path& path) { return openFile(path); });
}

void ListingSession::openSample() {
    try {
        const auto path = writeToTemporaryFolder(SamplePDF::fallMath);
        openPath(path, nameOf(path), false);
    } catch (const ListingError& error) {
        alert_(QString::fromStdString(error.errorDescription()));
    }
}

std::vector<RecentPDF> ListingSession::recentPDFs() const {
    return recent_->list();
}

void ListingSession::clearRecentPDFs() {
    recent_->clear();
    emit recentPDFsChanged();
}

// --- Edits ---------------------------------------------------------------------------

void ListingSession::editSettings(const QString& name,
                                  const std::function<void(ListingSettings&)>& change,
                                  const QObject* typing) {
    ListingSettings after = settings_;
    change(after);
    if (after == settings_) return setSettings(after);
    undoStack_.push(new EditStep<ListingSettings>(
        name, settings_, std::move(after), typing,
        [this](const ListingSettings& settings) { setSettings(settings); }));
}

void ListingSession::editBrands(const QString& name, BrandsState after, const QObject* typing) {
    BrandsState before{brands_, brandID_};
    if (after == before) {
        setBrands(after.brands);
        return setBrandID(after.brandID);
    }
    undoStack_.push(new EditStep<BrandsState>(name, std::move(before), std::move(after), typing,
                                              [this](const BrandsState& state) {
                                                  setBrands(state.brands);
                                                  setBrandID(state.brandID);
                                              }));
}

void ListingSession::chooseBrand(const Uuid& id) {
    editBrands(Texts::chooseBrandStep(), {brands_, id});
}

void ListingSession::addBrand() {
    const Brand& chosen = brand();
    Brand copy = chosen;
    copy.id = Uuid::random();
    copy.name = uniqueBrandName(Texts::brandCopyName(chosen.name)).toStdString();
    BrandsState after{brands_, copy.id};
    after.brands.push_back(copy);
    editBrands(Texts::newBrandStep(copy.name), std::move(after));
}

QString ListingSession::uniqueBrandName(const QString& wanted) const {
    auto taken = [this](const QString& name) {
        const std::string text = name.toStdString();
        return std::any_of(brands_.begin(), brands_.end(),
                           [&text](const Brand& brand) { return brand.name == text; });
    };
    QString candidate = wanted;
    for (qint64 n = 2; taken(candidate); ++n)
        candidate = wanted + QLatin1Char(' ') + QString::number(n);
    return candidate;
}

void ListingSession::updateBrand(const Brand& brand, const QObject* typing) {
    BrandsState after{brands_, brandID_};
    const auto found = std::find_if(after.brands.begin(), after.brands.end(),
                                    [&brand](const Brand& each) { return each.id == brand.id; });
    if (found == after.brands.end()) return;
    const QString name = Texts::editBrandStep(found->name);
    *found = brand;
    editBrands(name, std::move(after), typing);
}

void ListingSession::deleteBrand(const Uuid& id) {
    if (id == Brand::classic().id) return;
    const auto found = std::find_if(brands_.begin(), brands_.end(),
                                    [&id](const Brand& brand) { return brand.id == id; });
    if (found == brands_.end()) return;
    const QString name = Texts::deleteBrandStep(found->name);
    BrandsState after{brands_, brandID_ == id ? Brand::classic().id : brandID_};
    std::erase_if(after.brands, [&id](const Brand& brand) { return brand.id == id; });
    editBrands(name, std::move(after));
}

void ListingSession::resetSizes() {
    editSettings(Texts::resetSizesStep(), [](ListingSettings& settings) {
        const ListingSettings defaults;
        settings.images = ImagePreset::defaults();
        settings.preview.sheetWidth = defaults.preview.sheetWidth;
        settings.preview.sheetHeight = defaults.preview.sheetHeight;
        settings.video.size = defaults.video.size;
        settings.video.fps = defaults.video.fps;
    });
}

} // namespace folimo
