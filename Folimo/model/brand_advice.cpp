#include "model/brand_advice.hpp"

#include "folimo/font_families.hpp"

#include <QCoreApplication>
#include <algorithm>

namespace folimo::BrandAdvice {

std::vector<FontChoice> fontChoices(const QString& current) {
    std::vector<FontChoice> choices;
    for (const std::string& family : Brand::fontFamilies()) {
        const FontFamilyResolution resolved = resolveFontFamily(family);
        const QString name = QString::fromStdString(family);
        const QString drawnWith = QString::fromStdString(resolved.drawnWith);
        choices.push_back(
            {name,
             resolved.kind == FontFamilyResolution::Kind::installed
                 ? name
                 : QCoreApplication::translate("BrandAdvice", "%1 (for %2)").arg(drawnWith, name),
             drawnWith});
    }
    for (const std::string& family : installedFontFamilies()) {
        const QString name = QString::fromStdString(family);
        choices.push_back({name, name, name});
    }
    if (std::ranges::none_of(choices, [&](const FontChoice& c) { return c.family == current; }))
        choices.push_back(
            {current, current,
             QString::fromStdString(resolveFontFamily(current.toStdString()).drawnWith)});
    return choices;
}

QString missingFontNotice(const QString& family) {
    const FontFamilyResolution resolved = resolveFontFamily(family.toStdString());
    if (resolved.kind != FontFamilyResolution::Kind::missing) return {};
    return QCoreApplication::translate("BrandAdvice",
                                       "%1 isn\u2019t installed here; the images use %2.")
        .arg(family, QString::fromStdString(resolved.drawnWith));
}

std::vector<ColorPair> hardToRead(const Brand& brand) {
    std::vector<ColorPair> pairs;
    if (contrastRatio(brand.text, brand.background) < readableContrast)
        pairs.push_back(ColorPair::titleOnBackground);
    if (!brand.badgeText(0).empty() &&
        contrastRatio(brand.accent.contrasting(), brand.accent) < readableContrast)
        pairs.push_back(ColorPair::badgeTextOnBadge);
    return pairs;
}

QString warning(ColorPair pair) {
    switch (pair) {
    case ColorPair::titleOnBackground:
        return QCoreApplication::translate("BrandAdvice",
                                           "The title is hard to read on this background.");
    case ColorPair::badgeTextOnBadge:
        return QCoreApplication::translate("BrandAdvice",
                                           "The badge text is hard to read on the badge colour.");
    }
    return {};
}

} // namespace folimo::BrandAdvice
