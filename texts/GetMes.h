#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

#include "platform/DialogLabels.h"

// The message catalogue: every text the window shows, read from an INI-form file beside the
// executable (its base path with ".MSG"). The program ships no texts of its own for these.
namespace texts {

// Controls whose caption the catalogue gives (section Caption, key = control name), in order.
inline constexpr std::array<const char*, 40> kCaptionControls{
    "TabSheet1", "TabSheet2", "TabSheet3",  "TabSheet4",  "Label2",        "Label3",  "Label4",
    "Label5",    "ckLink",    "ckFix",      "Panel6",     "Panel29",       "Panel30", "Panel28",
    "Label1",    "Label10",   "Panel21",    "Label13",    "Label14",       "Label15", "Panel33",
    "Label8",    "Label9",    "Panel19",    "Panel18",    "Panel14",       "Panel16", "Panel17",
    "Label19",   "cboxBold",  "cboxItalic", "cboxUnderL", "cboxStrikeOut", "Label16", "Label17",
    "Label18",   "Label12",   "Panel15",    "Label11",    "Panel32"};

// Controls whose hint the catalogue gives (section Hint, key = control name), in order.
inline constexpr std::array<const char*, 47> kHintControls{
    "abbInPic",        "abbDelPic",     "abbInClr",       "abbFLoad",       "abbFSave",
    "abbHelp",         "abbHPAccess",   "abbEnd",         "abbInFrameStop", "abbInFramePlay",
    "abbInFramePause", "abbInFrameTop", "abbInFrameBack", "abbInFrameNext", "abbInFrameEnd",
    "cbCutK",          "abbAreaResize", "cbScale",        "MkFrm",          "abbCutS",
    "abbCutE",         "abbExecute",    "abbOutPreStop",  "abbOutPrePlay",  "abbOutPrePause",
    "abbOutPreRep",    "abbOutPreBack", "abbOutPreNext",  "abbOutPreDel",   "abbOutPreClr",
    "cbEffect",        "cbDither",      "abbUndo",        "abbDesideEfA",   "Memo1",
    "cbFEffect",       "cbFColor",      "cbFontB",        "abbUndo2",       "abbInsFont",
    "abbInsFontA",     "abbGetPImage",  "abbSelPanel",    "abbPStop",       "abbPPlay",
    "abbPPause",       "abbPRep"};

// The drop-down lists the catalogue fills, by section, and the control each fills.
struct ListSection {
    const char* section;
    const char* control;
};
inline constexpr std::array<ListSection, 7> kListSections{{{"Effect", "cbEffect"},
                                                           {"Dithering", "cbDither"},
                                                           {"Animation", "cbCutK"},
                                                           {"FontColor", "cbFColor"},
                                                           {"FontEffect", "cbFEffect"},
                                                           {"FontBGColor", "cbFontB"},
                                                           {"Scale", "cbScale"}}};

// The file dialog's labels: catalogue key and the dialog's string id.
struct DialogLabel {
    const char* key;
    int id;
};
inline constexpr std::array<DialogLabel, 6> kDialogLabels{
    {{"FileDir", platform::kLabelFolder},
     {"FileName", platform::kLabelFileName},
     {"FileKind", platform::kLabelFileKind},
     {"FilePreview", platform::kLabelPreview},
     {"FileOpen", platform::kLabelOpenButton},
     {"FileCancel", platform::kLabelCancelButton}}};

// A dialog label holds at most this many characters.
inline constexpr int kMaxDialogLabel = 255;
// Every other text is read up to this many characters: no window text is longer, and laying out
// far longer ones takes seconds.
inline constexpr int kMaxText = 1024;
// Lists are read up to this many entries, whatever their Items key claims.
inline constexpr int kMaxListItems = 1000;

struct Catalogue {
    QString defaultFont;
    std::array<QString, 10> errorTexts;
    std::array<QString, 4> messageTexts;
    std::array<QString, 4> fileTexts;
    std::array<QStringList, kListSections.size()> lists;  // in kListSections order
    std::array<QString, kCaptionControls.size()> captions;
    QString dialogTitle;
    std::array<QString, kDialogLabels.size()> dialogLabels;  // each cut to kMaxDialogLabel
    QString endConfirmCaption;
    QString endConfirmText;
    std::array<QString, kHintControls.size()> hints;
};

// The catalogue of the executable with this base path.
QString catalogueFilePath(const QString& basePath);

// Reads a catalogue; a missing file or key gives empty texts, empty lists and "FixedSys".
// Lines that are not valid UTF-8 are read as Shift_JIS. Texts are cut to kMaxText.
Catalogue readCatalogue(const QString& fileName);

// A dialog label as the dialog can hold it: at most kMaxDialogLabel characters, never ending
// in half a surrogate pair.
QString dialogLabelText(const QString& text);

}  // namespace texts
