#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QString>

#include "platform/Profile.h"
#include "texts/GetMes.h"

namespace {

struct ShippedCatalogue {
    const char* file;
};

class ShippedCatalogueTest : public testing::TestWithParam<ShippedCatalogue> {
  protected:
    QString fileName() const {
        return QStringLiteral(PIXMORA_DATA_DIR "/") + QString::fromLatin1(GetParam().file);
    }
};

int expectedCount(const char* section) {
    const std::pair<const char*, int> counts[]{{"Effect", 7},     {"Dithering", 4},
                                               {"Animation", 8},  {"FontColor", 4},
                                               {"FontEffect", 5}, {"FontBGColor", 4}};
    for (const auto& [name, count] : counts) {
        if (QString::fromLatin1(name) == QString::fromLatin1(section)) {
            return count;
        }
    }
    return -1;
}

}  // namespace

TEST_P(ShippedCatalogueTest, FillsEveryKeyTheWindowReads) {
    const platform::Profile p(fileName());
    ASSERT_TRUE(p.hasKey("Application", "DefaultFont")) << fileName().toStdString();
    const texts::Catalogue c = texts::readCatalogue(fileName());
    EXPECT_TRUE(QFontDatabase::families().contains(c.defaultFont))
        << c.defaultFont.toStdString() << " is not installed";
    for (const QString& text : c.errorTexts) {
        EXPECT_FALSE(text.isEmpty());
    }
    for (const QString& text : c.messageTexts) {
        EXPECT_FALSE(text.isEmpty());
    }
    // File-kind names stand directly before a pattern such as "(*.zml)": they end in a space.
    for (const QString& text : c.fileTexts) {
        EXPECT_TRUE(text.size() > 1 && text.endsWith(QLatin1Char(' '))) << text.toStdString();
    }
    for (std::size_t i = 0; i < texts::kListSections.size(); ++i) {
        const char* section = texts::kListSections[i].section;
        const int expected = expectedCount(section);
        if (expected > 0) {
            EXPECT_EQ(c.lists[i].size(), expected) << section;
        }
        for (const QString& item : c.lists[i]) {
            EXPECT_FALSE(item.isEmpty()) << section;
        }
    }
    const QStringList& scale = c.lists[6];
    for (const char* zoom : {"25", "50", "100", "200", "400"}) {
        EXPECT_TRUE(scale.contains(QString::fromLatin1(zoom))) << zoom;
    }
    ASSERT_GE(scale.size(), 3);
    EXPECT_EQ(scale[2], QStringLiteral("100"));
    for (const QString& item : scale) {
        bool whole = false;
        EXPECT_GT(item.toInt(&whole), 0);
        EXPECT_TRUE(whole) << item.toStdString();
    }
    for (std::size_t i = 0; i < c.captions.size(); ++i) {
        EXPECT_FALSE(c.captions[i].isEmpty()) << texts::kCaptionControls[i];
    }
    for (std::size_t i = 0; i < c.hints.size(); ++i) {
        EXPECT_FALSE(c.hints[i].isEmpty()) << texts::kHintControls[i];
    }
    for (std::size_t i = 0; i < c.dialogLabels.size(); ++i) {
        EXPECT_FALSE(c.dialogLabels[i].isEmpty()) << texts::kDialogLabels[i].key;
    }
    EXPECT_FALSE(c.dialogTitle.isEmpty());
    EXPECT_FALSE(c.endConfirmCaption.isEmpty());
    EXPECT_FALSE(c.endConfirmText.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Languages, ShippedCatalogueTest,
                         testing::Values(ShippedCatalogue{"pixmora.MSG"},
                                         ShippedCatalogue{"pixmora.ja.MSG"}));
