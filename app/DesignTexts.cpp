#include "app/DesignTexts.h"

#include <QAbstractButton>
#include <QHash>
#include <QLabel>
#include <QTabWidget>
#include <QWidget>

#include "platform/TPanel.h"

namespace {

const QHash<QString, QString>& captions() {
    static const QHash<QString, QString> table{
        {"TabSheet1", "   入力画像   "},
        {"TabSheet2", "     効果     "},
        {"TabSheet3", "   入力文字   "},
        {"TabSheet4", "パネルイメージ"},
        {"Label2", "フレーム"},
        {"Label3", "表示倍率"},
        {"Label4", "作成方法"},
        {"Label5", "作成フレーム数"},
        {"ckLink", "開始枠と終了枠をリンク"},
        {"ckFix", "枠の縦横比を固定"},
        {"Panel6", "切取り位置"},
        {"Panel29", "ソース"},
        {"Panel30", "プレビュー"},
        {"Panel28", "フレーム編集"},
        {"Label1", "フレーム"},
        {"Label10", "Max.90"},
        {"Panel21", "背景色"},
        {"Label13", "Red"},
        {"Label14", "Green"},
        {"Label15", "Blue"},
        {"Panel33", "効果プレビュー"},
        {"Label8", "ソース"},
        {"Label9", "プレビュー"},
        {"Panel19", "効果"},
        {"Panel18", "ディザリング"},
        {"Panel14", "文字イメージ"},
        {"Panel16", "表示文字"},
        {"Panel17", "文字スタイル"},
        {"Label19", "スタイル"},
        {"cboxBold", "太字"},
        {"cboxItalic", "斜体"},
        {"cboxUnderL", "下線"},
        {"cboxStrikeOut", "取消線"},
        {"Label16", "装飾"},
        {"Label17", "文字色"},
        {"Label18", "背景色"},
        {"Label12", "回転角度"},
        {"Panel15", "フォント選択"},
        {"Label11", "サイズ"},
        {"Panel32", "パネル画像取込"},
    };
    return table;
}

const QHash<QString, QString>& hints() {
    static const QHash<QString, QString> table{
        {"abbInPic", "入力画像を追加"},
        {"abbDelPic", "入力画像の現在のファイルを削除"},
        {"abbInClr", "入力画像を全て削除"},
        {"abbFLoad", "パネルファイルを読込"},
        {"abbFSave", "パネルファイルを保存"},
        {"abbHelp", "ヘルプ表示"},
        {"abbHPAccess", "パネルアニメーションをインターネットから獲得"},
        {"abbEnd", "終了"},
        {"abbInFrameStop", "停止"},
        {"abbInFramePlay", "再生"},
        {"abbInFramePause", "一時停止"},
        {"abbInFrameTop", "先頭へ移動"},
        {"abbInFrameBack", "１コマ戻す"},
        {"abbInFrameNext", "1コマ進める"},
        {"abbInFrameEnd", "最後へ移動"},
        {"cbCutK", "アニメーション作成方法を選択"},
        {"abbAreaResize", "切取り枠をデホルトサイズに戻す"},
        {"cbScale", "表示倍率を選択"},
        {"MkFrm", "作成フレーム数を入力"},
        {"abbCutS", "開始位置を指定"},
        {"abbCutE", "終了位置を指定"},
        {"abbExecute", "アニメーションを作成"},
        {"abbOutPreStop", "停止"},
        {"abbOutPrePlay", "再生"},
        {"abbOutPrePause", "一時停止"},
        {"abbOutPreRep", "繰り返し"},
        {"abbOutPreBack", "1コマ戻る"},
        {"abbOutPreNext", "1コマ進める"},
        {"abbOutPreDel", "現在のフレームを削除"},
        {"abbOutPreClr", "全てのフレームを削除"},
        {"cbEffect", "適用したい効果を選択"},
        {"cbDither", "適用したいディザリングを選択"},
        {"abbUndo", "画像操作を戻す"},
        {"abbDesideEfA", "現在の効果を全てのフレームに反映"},
        {"sbDesideEf", "効果を現在のフレームに反映"},
        {"Memo1", "挿入する文字を入力"},
        {"cbFEffect", "文字の装飾を選択"},
        {"cbFColor", "文字の色を選択"},
        {"cbFontB", "装飾の色を選択"},
        {"abbUndo2", "画像に対する前回の処理をキャンセルする"},
        {"abbInsFont", "現在のフレームに挿入"},
        {"abbInsFontA", "全てのフレームに挿入"},
        {"abbGetPImage", "インターネットからパネルイメージを獲得します。"},
        {"abbSelPanel", "パネルイメージを登録します。"},
        {"abbPStop", "停止"},
        {"abbPPlay", "再生"},
        {"abbPPause", "一時停止"},
        {"abbPRep", "繰り返し"},
    };
    return table;
}

void setCaption(QWidget* w, const QString& text) {
    if (auto* panel = qobject_cast<TPanel*>(w)) {
        panel->setCaption(text);
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        label->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        button->setText(text);
    } else if (auto* tabs = qobject_cast<QTabWidget*>(w->parentWidget()->parentWidget())) {
        tabs->setTabText(tabs->indexOf(w), text);
    }
}

}  // namespace

QString designCaption(const QString& controlName) {
    return captions().value(controlName);
}

QString designHint(const QString& controlName) {
    return hints().value(controlName);
}

void applyDesignTexts(QWidget* window) {
    for (QWidget* w : window->findChildren<QWidget*>()) {
        const QString name = w->objectName();
        if (captions().contains(name)) {
            setCaption(w, captions().value(name));
        }
        if (hints().contains(name)) {
            w->setToolTip(hints().value(name));
        }
    }
}
