#include "model/app_model.hpp"

#include "folimo/listing_error.hpp"
#include "folimo/sample_pdf.hpp"
#include "folimo/settings_json.hpp"
#include "model/edit_step.hpp"
#include "model/model_texts.hpp"
#include "model/panels.hpp"
#include "model/pdf_memory.hpp"
#include "model/store_writer.hpp"
#include "model/work_records.hpp"

#include <QFileInfo>
#include <QSettings>
#include <QThreadPool>
#include <algorithm>
#include <utility>

namespace folimo {
namespace {

const QString settingsKey = QStringLiteral("settings.v1");
const QString brandsKey = QStringLiteral("brands.v1");
const QString brandIDKey = QStringLiteral("brandID");
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

// The application's model while makeShared()'s owner lives.
AppModel* sharedModel = nullptr;

} // namespace

AppModel::AppModel(QSettings& store, Panels* panels, QObject* parent)
    : QObject(parent)
    , store_(store)
    , storeWriter_(std::make_unique<StoreWriter>(store))
    , workRecords_(std::make_unique<WorkRecords>(store, *storeWriter_))
    , memory_(std::make_unique<PDFMemory>(memoryFileBeside(store)))
    , recent_(std::make_unique<RecentPDFs>(store, *storeWriter_))
    , panels_(panels)
    , previewPool_(std::make_unique<QThreadPool>()) {
    previewPool_->setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
    player_.setTimerType(Qt::PreciseTimer);
    player_.setInterval(66);
    connect(&player_, &QTimer::timeout, this, &AppModel::playbackStep);
    loadStore();
}

AppModel::~AppModel() {
    // Work that is still running is stopped and waited for here, while the model is whole;
    // what it reported meanwhile is dropped with the model's queued calls.
    previewPool_->clear();
    previewPool_->waitForDone();
    stopWork();
    if (sharedModel == this) sharedModel = nullptr;
}

std::unique_ptr<AppModel> AppModel::makeShared() {
    static QSettings store(QStringLiteral("Folimo"), QStringLiteral("Folimo"));
    auto model = std::make_unique<AppModel>(store, nullptr);
    sharedModel = model.get();
    return model;
}

AppModel& AppModel::shared() {
    Q_ASSERT(sharedModel);
    return *sharedModel;
}

void AppModel::setPanels(Panels* panels) {
    panels_ = panels;
}

// Read leniently and not written back: a value with a damaged field keeps its other fields,
// a brand list keeps its whole brands, and the store is rewritten only when the user changes
// something. Brand entries that cannot be read are kept aside under their own key and
// reported once.
void AppModel::loadStore() {
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
            store_.setValue(unreadableBrandsKey, setAside);
            storeWriter_->changed();
            setAlert(ModelTexts::unreadableBrands(stored.unreadable.size()));
        }
    }
    const QVariant id = store_.value(brandIDKey);
    if (id.typeId() == QMetaType::QString)
        if (const auto uuid = Uuid::parse(id.toString().toStdString())) brandID_ = *uuid;
}

void AppModel::saveSettings() {
    store_.setValue(settingsKey, toBytes(encodeSettings(settings_)));
    storeWriter_->changed();
}

void AppModel::saveBrands() {
    store_.setValue(brandsKey, toBytes(encodeBrands(brands_)));
    storeWriter_->changed();
}

void AppModel::saveBrandID() {
    store_.setValue(brandIDKey, QString::fromStdString(brandID_.text()));
    storeWriter_->changed();
}

// --- Observed fields ------------------------------------------------------------------

void AppModel::setPage(std::optional<Page> page) {
    if (page == page_) return;
    page_ = page;
    emit pageChanged();
}

void AppModel::setTab(ListingTab tab) {
    if (tab == tab_) return;
    tab_ = tab;
    emit tabChanged();
}

void AppModel::setAskForReview(bool ask) {
    if (ask == askForReview_) return;
    askForReview_ = ask;
    emit askForReviewChanged();
}

void AppModel::setAlert(std::optional<QString> alert) {
    if (alert == alert_) return;
    alert_ = std::move(alert);
    emit alertChanged();
}

void AppModel::setSettings(const ListingSettings& settings) {
    const bool changed = settings != settings_;
    const ListingSettings before = changed ? std::exchange(settings_, settings) : ListingSettings();
    saveSettings();
    if (!changed) return;
    rememberTexts(before);
    emit settingsChanged();
    previewInputsChanged();
}

void AppModel::rememberTexts(const ListingSettings& before) {
    const PDFTexts texts = textsOf(settings_);
    if (sourceKey_ && texts != textsOf(before)) memory_->remember(*sourceKey_, texts);
}

void AppModel::setBrands(const std::vector<Brand>& brands) {
    const bool changed = brands != brands_;
    if (changed) brands_ = brands;
    saveBrands();
    if (!changed) return;
    emit brandsChanged();
    previewInputsChanged();
}

void AppModel::setBrandID(const Uuid& id) {
    const bool changed = id != brandID_;
    if (changed) brandID_ = id;
    saveBrandID();
    if (!changed) return;
    emit brandIDChanged();
    previewInputsChanged();
}

void AppModel::setSelectedLayout(ImageLayout layout) {
    if (layout == selectedLayout_) return;
    selectedLayout_ = layout;
    emit selectedLayoutChanged();
}

void AppModel::setPreviewPresetID(const QString& id) {
    if (id == previewPresetID_) return;
    previewPresetID_ = id;
    emit previewPresetIDChanged();
}

void AppModel::setVideoTime(double seconds) {
    if (seconds == videoTime_) return;
    videoTime_ = seconds;
    emit videoTimeChanged();
}

void AppModel::setPlaying(bool playing) {
    if (playing == playing_) return;
    playing_ = playing;
    emit playingChanged();
}

// --- Derived values -------------------------------------------------------------------

QString AppModel::title() const {
    // The library's rule, so the folder the save question names is the one the set gets.
    const std::string_view title =
        listingTitle(settings_.title, source_ ? std::string_view(source_->title()) : "");
    return QString::fromUtf8(title.data(), qsizetype(title.size()));
}

const Brand& AppModel::brand() const {
    const auto chosen = std::find_if(brands_.begin(), brands_.end(),
                                     [this](const Brand& brand) { return brand.id == brandID_; });
    return chosen != brands_.end() ? *chosen : Brand::classic();
}

ListingSettings AppModel::effectiveSettings() const {
    ListingSettings settings = settings_;
    settings.brand = brand();
    return settings;
}

ImagePreset AppModel::previewPreset() const {
    const auto& presets = settings_.images;
    const std::string id = previewPresetID_.toStdString();
    const auto found = std::find_if(presets.begin(), presets.end(),
                                    [&id](const ImagePreset& preset) { return preset.id == id; });
    if (found != presets.end()) return *found;
    return presets.empty() ? ImagePreset::defaults().front() : presets.front();
}

// --- Opening --------------------------------------------------------------------------

void AppModel::open(std::shared_ptr<const SourcePDF> source, const QString& name) {
    // Views ask for previews on each signal below; drawings started now would be of inputs
    // about to change, and would keep the preview pool from the ones asked for at the end.
    opening_ = true;
    stopPlayback();
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
    setVideoTime(0);
    setExportState(ExportState::idle());
    cache_.clear();
    opening_ = false;
    previewInputsChanged();
    setPage(Page::listing);
    undoStack_.clear();
}

std::optional<QString> AppModel::reloadChangedSource() {
    if (!source_ || !source_->url() || !source_->changedOnDisk()) return std::nullopt;
    try {
        source_ = SourcePDF::open(*source_->url());
        // The texts stay with the PDF the seller is editing.
        const bool known = sourceKey_ && memory_->knows(*sourceKey_);
        sourceKey_ = PDFMemory::contentKey(*source_->url());
        if (known && sourceKey_) memory_->remember(*sourceKey_, textsOf(settings_));
        emit sourceChanged();
        cache_.clear();
        previewInputsChanged();
        return std::nullopt;
    } catch (const ListingError& error) {
        reloadFailed_ = source_;
        return QString::fromStdString(error.errorDescription());
    }
}

void AppModel::reloadForPreviews() {
    if (source_ == reloadFailed_) return;
    if (const auto problem = reloadChangedSource()) setAlert(*problem);
}

bool AppModel::openPath(const std::filesystem::path& path, const QString& name, bool listed) {
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
        setAlert(QString::fromStdString(error.errorDescription()));
        return false;
    }
}

void AppModel::openPDF() {
    if (!panels_) return;
    const auto path = panels_->choosePDF(QStringLiteral("Choose a printable PDF."));
    if (path) openPath(*path, nameOf(*path));
}

bool AppModel::isPDF(const std::filesystem::path& path) {
    return QString::fromStdString(path.extension().string()).toLower() == QStringLiteral(".pdf");
}

bool AppModel::openFile(const std::filesystem::path& path) {
    if (!isPDF(path)) return false;
    openPath(path, nameOf(path));
    return true;
}

bool AppModel::openFiles(const std::vector<std::filesystem::path>& paths) {
    return std::any_of(paths.begin(), paths.end(),
                       [this](const std::filesystem::path& path) { return openFile(path); });
}

void AppModel::openSample() {
    try {
        const auto path = writeToTemporaryFolder(SamplePDF::fallMath);
        openPath(path, nameOf(path), false);
    } catch (const ListingError& error) {
        setAlert(QString::fromStdString(error.errorDescription()));
    }
}

std::vector<RecentPDF> AppModel::recentPDFs() const {
    return recent_->list();
}

void AppModel::clearRecentPDFs() {
    recent_->clear();
    emit recentPDFsChanged();
}

// --- Edits ---------------------------------------------------------------------------

void AppModel::editSettings(const QString& name,
                            const std::function<void(ListingSettings&)>& change,
                            const QObject* typing) {
    ListingSettings after = settings_;
    change(after);
    if (after == settings_) return setSettings(after);
    undoStack_.push(new EditStep<ListingSettings>(
        name, settings_, std::move(after), typing,
        [this](const ListingSettings& settings) { setSettings(settings); }));
}

void AppModel::editBrands(const QString& name, BrandsState after, const QObject* typing) {
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

void AppModel::chooseBrand(const Uuid& id) {
    editBrands(tr("Brand"), {brands_, id});
}

void AppModel::addBrand() {
    const Brand& chosen = brand();
    Brand copy = chosen;
    copy.id = Uuid::random();
    const QString base = chosen.name == Brand::classic().name
                             ? QStringLiteral("My Brand")
                             : QString::fromStdString(chosen.name) + QStringLiteral(" Copy");
    copy.name = uniqueBrandName(base).toStdString();
    BrandsState after{brands_, copy.id};
    after.brands.push_back(copy);
    editBrands(tr("New Brand “%1”").arg(QString::fromStdString(copy.name)), std::move(after));
}

QString AppModel::uniqueBrandName(const QString& wanted) const {
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

void AppModel::updateBrand(const Brand& brand, const QObject* typing) {
    BrandsState after{brands_, brandID_};
    const auto found = std::find_if(after.brands.begin(), after.brands.end(),
                                    [&brand](const Brand& each) { return each.id == brand.id; });
    if (found == after.brands.end()) return;
    const QString name = tr("Edit Brand “%1”").arg(QString::fromStdString(found->name));
    *found = brand;
    editBrands(name, std::move(after), typing);
}

void AppModel::deleteBrand(const Uuid& id) {
    if (id == Brand::classic().id) return;
    const auto found = std::find_if(brands_.begin(), brands_.end(),
                                    [&id](const Brand& brand) { return brand.id == id; });
    if (found == brands_.end()) return;
    const QString name = tr("Delete Brand “%1”").arg(QString::fromStdString(found->name));
    BrandsState after{brands_, brandID_ == id ? Brand::classic().id : brandID_};
    std::erase_if(after.brands, [&id](const Brand& brand) { return brand.id == id; });
    editBrands(name, std::move(after));
}

void AppModel::resetSizes() {
    editSettings(tr("Reset to Defaults"), [](ListingSettings& settings) {
        const ListingSettings defaults;
        settings.images = ImagePreset::defaults();
        settings.preview.sheetWidth = defaults.preview.sheetWidth;
        settings.preview.sheetHeight = defaults.preview.sheetHeight;
        settings.video.size = defaults.video.size;
        settings.video.fps = defaults.video.fps;
    });
}

} // namespace folimo
