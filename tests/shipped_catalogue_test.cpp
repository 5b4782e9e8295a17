#include <gtest/gtest.h>

#include <QFontDatabase>
#include <map>
#include <string>

#include "texts/GetMes.h"

namespace {

class ShippedCatalogueTest : public testing::TestWithParam<const char*> {};

template <typename Texts>
void expectAllFilled(const Texts& texts, const char* what) {
    for (const QString& text : texts) {
        EXPECT_FALSE(text.isEmpty()) << what;
    }
}

TEST_P(ShippedCatalogueTest, FillsEveryKeyAndListTheWindowReads) {
    const QString file = QStringLiteral(PIXMORA_DATA_DIR "/") + QString::fromLatin1(GetParam());
    const texts::Catalogue c = texts::readCatalogue(file);
    EXPECT_TRUE(QFontDatabase::families().contains(c.defaultFont)) << c.defaultFont.toStdString();
    expectAllFilled(c.errorTexts, "Errors");
    expectAllFilled(c.messageTexts, "Messages");
    expectAllFilled(c.captions, "Caption");
    expectAllFilled(c.hints, "Hint");
    expectAllFilled(c.dialogLabels, "dialog labels");
    expectAllFilled(std::array{c.dialogTitle, c.endConfirmCaption, c.endConfirmText}, "confirm");
    // File-kind names stand directly before a pattern such as "(*.zml)": they end in a space.
    for (const QString& text : c.fileTexts) {
        EXPECT_TRUE(text.size() > 1 && text.endsWith(QLatin1Char(' '))) << text.toStdString();
    }
    const std::map<std::string, int> counts{{"Effect", 7},     {"Dithering", 4},
                                            {"Animation", 8},  {"FontColor", 4},
                                            {"FontEffect", 5}, {"FontBGColor", 4}};
    for (std::size_t i = 0; i < texts::kListSections.size(); ++i) {
        const char* section = texts::kListSections[i].section;
        if (counts.count(section) != 0) {
            EXPECT_EQ(c.lists[i].size(), counts.at(section)) << section;
        }
        expectAllFilled(c.lists[i], section);
    }
    // Zoom percentages, whole and positive, 100 % third: the one selected at start.
    const QStringList& scale = c.lists[6];
    ASSERT_GE(scale.size(), 3);
    EXPECT_EQ(scale[2], QStringLiteral("100"));
    for (const QString& zoom : scale) {
        EXPECT_GT(zoom.toInt(), 0) << zoom.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, ShippedCatalogueTest,
                         testing::Values("pixmora.MSG", "pixmora.ja.MSG"));

}  // namespace
