#include "platform/qt/Qtfont.h"

#include "toolkit/Sysutils.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QStringList>

#include <algorithm>
#include <map>

namespace {

constexpr const char* msSansSerif = "MS SANS SERIF";

// The families loaded from Wine's fonts, by upper-case face name; an empty family when loading
// failed, so that it is tried once.
std::map<std::string, QString>& LoadedFamilies() {
    static std::map<std::string, QString> families;
    return families;
}

QString LoadWineFont(const char* file) {
    const int id = QFontDatabase::addApplicationFont(QString::fromUtf8(MORVIK_WINE_FONTS) + "/" +
                                                     QString::fromLatin1(file));
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    return families.isEmpty() ? QString() : families.front();
}

} // namespace

QString QtFontFamily(const std::string& name) {
    const QString family = QString::fromLatin1(name.data(), qsizetype(name.size()));
    if (QFontDatabase::hasFamily(family)) {
        return family;
    }
    const std::string key = UpperCase(name);
    if (key != msSansSerif) {
        return family;
    }
    auto& loaded = LoadedFamilies();
    auto found = loaded.find(key);
    if (found == loaded.end()) {
        found = loaded.emplace(key, LoadWineFont("ms_sans_serif.ttf")).first;
    }
    return found->second.isEmpty() ? family : found->second;
}

namespace {

QFont SizedFont(const QString& family, const TFont& font) {
    QFont result(family);
    result.setStyleHint(font.Pitch == TFontPitch::Fixed ? QFont::TypeWriter : QFont::SansSerif);
    result.setFixedPitch(font.Pitch == TFontPitch::Fixed);
    result.setBold(font.Style & fsBold);
    result.setItalic(font.Style & fsItalic);
    result.setUnderline(font.Style & fsUnderline);
    result.setStrikeOut(font.Style & fsStrikeOut);
    result.setKerning(false);
    const int height = font.Height == 0 ? -11 : font.Height;
    if (height < 0) {
        result.setPixelSize(-height);
        return result;
    }
    // A cell height: the em is the part of it that the face's ascent and descent leave.
    result.setPixelSize(height);
    const int cell = QFontMetrics(result).height();
    if (cell > height) {
        result.setPixelSize(std::max(1, height * height / cell));
    }
    return result;
}

// Whether the face shows the font at its size: a bitmap face (Wine's "MS Sans Serif" has
// cells of 13, 16 and 20 pixels) has only some sizes, and Qt hands out the nearest one.
bool HasSize(const QFont& face, const TFont& font) {
    const int cell = QFontMetrics(face).height();
    const int height = font.Height == 0 ? -11 : font.Height;
    // GDI's cell is the em plus the internal leading, a few pixels for small faces.
    return height > 0 ? cell == height : cell >= -height && cell <= -height + 4;
}

} // namespace

bool SyntheticBold(const TFont& font, const QFont& face) {
    if (!(font.Style & fsBold) || !QFontDatabase::hasFamily(face.family())) {
        return false;
    }
    const QStringList styles = QFontDatabase::styles(face.family());
    return std::none_of(styles.begin(), styles.end(), [&](const QString& style) {
        return QFontDatabase::bold(face.family(), style);
    });
}

QFont QtFont(const TFont& font) {
    const QString family = QtFontFamily(font.Name);
    QFont result = SizedFont(family, font);
    if (QFontDatabase::isScalable(family) || HasSize(result, font)) {
        return result;
    }
    // A sans serif face of the size asked for.
    return SizedFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont).family(), font);
}
