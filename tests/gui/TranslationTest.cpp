// The French and German interface: every text of the main window's menus, of the help boxes and
// of the dialogs in the chosen language, the language menu, the refusal of a missing
// translation, the core's messages and their captions in the boxes, and the decoding language,
// which is chosen apart from the interface language.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <vector>

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>
#include <QTreeWidget>

#include "Screenshots.h"
#include "analysis/Statistics.h"
#include "app/InterfaceTranslation.h"
#include "app/MainWindow.h"
#include "app/MessageCatalogue.h"
#include "app/QtUserMessages.h"
#include "capture/FrameSource.h"
#include "dialogs/ColourSelectionDialog.h"
#include "dialogs/Dru70FilterSheet.h"
#include "dialogs/Dru70ProtocolInformationDialog.h"
#include "dialogs/FilterSheet.h"
#include "dialogs/FontDialog.h"
#include "dialogs/OffLineFilterCommands.h"
#include "dialogs/ProductDialog.h"
#include "dialogs/ProtocolInformationDialog.h"
#include "dialogs/ProtocolSetupDialog.h"
#include "dialogs/SerialLinkSetupDialog.h"
#include "dialogs/StatisticsDialog.h"
#include "filters/CauseList.h"
#include "filters/FilterCriteria.h"
#include "filters/FilterFiles.h"
#include "support/TempDir.h"
#include "views/CallsWindow.h"
#include "views/CaptureWindow.h"
#include "views/Dru70FindDialog.h"
#include "views/ExpertWindow.h"
#include "views/FindDialog.h"
#include "views/FlowWindow.h"
#include "views/HexaFindDialog.h"
#include "views/PrintDialog.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

struct Language {
    int appLanguage;
    const char *code; // names the test and its pictures
    // Words spelt as in English, over the program's name and the texts without small letters
    // (model names, acronyms, directions, numbers).
    QStringList sameWords;
    QString alreadyOpened; // the question before a second window on an open capture
};

void PrintTo(const Language &language, std::ostream *out) {
    *out << language.code;
}

const Language kFrench{1,
                       "fr",
                       {QStringLiteral("Mode"), QStringLiteral("Options"), QStringLiteral("Type"),
                        QStringLiteral("Cause"), QStringLiteral("Causes"),
                        QStringLiteral("Message"), QStringLiteral("Capture"),
                        QStringLiteral("Xon-Xoff")},
                       QString::fromUtf8("Ce fichier est déjà ouvert.\nVoulez-vous ouvrir une "
                                         "nouvelle fenêtre sur ce fichier\u00a0?")};
const Language kGerman{2,
                       "de",
                       {QStringLiteral("Ref"), QStringLiteral("Text"), QStringLiteral("Xon-Xoff")},
                       QString::fromUtf8("Diese Datei ist bereits geöffnet.\nMöchten Sie ein "
                                         "weiteres Fenster für diese Datei öffnen?")};

// One text of a window and where it stands.
struct Text {
    QString where;
    QString text;
};
using Texts = std::vector<Text>;

void add(Texts &texts, const QString &where, const QString &text) {
    if (!text.isEmpty())
        texts.push_back({where, text});
}

// Lists holding data rather than interface texts: protocol and font names, sizes, the sample,
// the saved profiles and the summary's column titles (which follow the decoding language).
const QStringList kDataWidgets = {"protocolNames", "familyList", "sizeList",   "sample",
                                  "profiles",      "fieldList",  "causeFormat"};
// Lists of protocol codes after their "(any)" entry.
const QStringList kCodeLists = {"direction", "frameType", "v5Message", "message", "packet"};

Texts widgetTexts(QWidget &top) {
    Texts texts;
    add(texts, QStringLiteral("title"), top.windowTitle());
    const QList<QWidget *> children = top.findChildren<QWidget *>();
    for (qsizetype i = 0; i < children.size(); ++i) {
        QWidget *w = children[i];
        if (kDataWidgets.contains(w->objectName()))
            continue;
        const QString where = QStringLiteral("%1 %2 %3")
                                  .arg(QString::fromLatin1(w->metaObject()->className()))
                                  .arg(i)
                                  .arg(w->objectName());
        add(texts, where + QStringLiteral(" tip"), w->toolTip());
        if (auto *label = qobject_cast<QLabel *>(w)) {
            add(texts, where, label->text());
        } else if (auto *button = qobject_cast<QAbstractButton *>(w)) {
            add(texts, where, button->text());
        } else if (auto *group = qobject_cast<QGroupBox *>(w)) {
            add(texts, where, group->title());
        } else if (auto *tabs = qobject_cast<QTabWidget *>(w)) {
            for (int t = 0; t < tabs->count(); ++t)
                add(texts, where, tabs->tabText(t));
        } else if (auto *combo = qobject_cast<QComboBox *>(w)) {
            const int items = kCodeLists.contains(combo->objectName()) ? 1 : combo->count();
            for (int t = 0; t < items; ++t)
                add(texts, where, combo->itemText(t));
        } else if (auto *list = qobject_cast<QListWidget *>(w)) {
            for (int t = 0; t < list->count(); ++t)
                add(texts, where, list->item(t)->text());
        } else if (auto *spin = qobject_cast<QAbstractSpinBox *>(w)) {
            add(texts, where, spin->specialValueText());
        }
    }
    return texts;
}

void addMenu(Texts &texts, QMenu &menu, const QString &where) {
    add(texts, where, menu.title());
    const QList<QAction *> actions = menu.actions();
    for (qsizetype i = 0; i < actions.size(); ++i) {
        QAction *action = actions[i];
        const QString item = where + QStringLiteral("/%1").arg(i);
        if (action->menu()) {
            addMenu(texts, *action->menu(), item);
            continue;
        }
        add(texts, item, action->text());
        add(texts, item + QStringLiteral(" status"), action->statusTip());
        add(texts, item + QStringLiteral(" tip"), action->toolTip());
    }
}

// The menus with their submenus, the toolbar and the status bar.
Texts mainWindowTexts(MainWindow &window) {
    Texts texts;
    const QList<QAction *> menus = window.menuBar()->actions();
    for (qsizetype i = 0; i < menus.size(); ++i)
        if (QMenu *menu = menus[i]->menu())
            addMenu(texts, *menu, QStringLiteral("menu %1").arg(i));
    for (QToolBar *bar : window.findChildren<QToolBar *>()) {
        add(texts, QStringLiteral("toolbar"), bar->windowTitle());
        for (QAction *action : bar->actions())
            add(texts, QStringLiteral("toolbar tip"), action->toolTip());
    }
    add(texts, QStringLiteral("status bar"), window.statusBar()->currentMessage());
    return texts;
}

// The menu holding the item of that English text, in the interface language in use.
QMenu *menuWith(MainWindow &window, const char *item) {
    const QString text = QCoreApplication::translate("qv::MainWindow", item);
    for (QAction *entry : window.menuBar()->actions())
        if (QMenu *menu = entry->menu())
            for (QAction *action : menu->actions())
                if (action->text() == text)
                    return menu;
    ADD_FAILURE() << "no menu holds " << item;
    return window.menuBar()->addMenu(QString());
}

// The language items, which close the Options menu.
QList<QAction *> languageItems(MainWindow &window) {
    const QList<QAction *> items = menuWith(window, "&English")->actions();
    return items.mid(std::max<qsizetype>(0, items.size() - 3));
}

// The texts of the modal box or dialog that the action opens, which is then closed.
Texts modalTexts(QAction &action) {
    Texts texts;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&texts] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        texts = widgetTexts(*dialog);
        if (auto *box = qobject_cast<QMessageBox *>(dialog))
            add(texts, QStringLiteral("message"), box->text());
        dialog->done(QDialog::Rejected);
    });
    closer.start(5);
    action.trigger();
    return texts;
}

bool sameInBothLanguages(const QString &english, const Language &language) {
    QString text = english;
    text.remove(QLatin1Char('&'));
    if (std::none_of(text.begin(), text.end(), [](QChar c) { return c.isLower(); }))
        return true;
    return text == QLatin1String("Quorvane") || language.sameWords.contains(text);
}

// Each text of the translated run against the same widget's text in English.
void expectTranslated(const Texts &english, const Texts &translated, const Language &language,
                      const char *what) {
    ASSERT_EQ(english.size(), translated.size()) << what;
    ASSERT_FALSE(english.empty()) << what;
    for (std::size_t i = 0; i < english.size(); ++i) {
        EXPECT_EQ(english[i].where, translated[i].where) << what;
        if (english[i].text == translated[i].text) {
            EXPECT_TRUE(sameInBothLanguages(english[i].text, language))
                << what << ", " << english[i].where.toStdString() << ": \""
                << english[i].text.toStdString() << "\" is left in English";
        }
    }
}

QString sample(const char *name) {
    return QStringLiteral(QUORVANE_SOURCE_DIR "/data/samples/") + QLatin1String(name);
}

class TranslationTest : public ::testing::TestWithParam<Language> {
protected:
    TranslationTest() : installation(Installation::fromCommandLine({})) {
        context.columns.load(settings.file(), 0);
        context.decoding.start(installation, settings, {}, messages);
        causes.load(settings.file());
    }
    ~TranslationTest() override { translation.remove(); }
    void translate() {
        ASSERT_TRUE(translation.install(installation, GetParam().appLanguage))
            << "the build puts the translations beside the program";
    }
    std::unique_ptr<MainWindow> makeWindow() {
        auto window = std::make_unique<MainWindow>(installation, settings, context, messages);
        window->enterMode(WorkingMode::Examine);
        return window;
    }
    // The texts that texts collects from a main window in English and then in the language
    // under test, compared; the translated main window is kept for more.
    std::unique_ptr<MainWindow>
    expectWindowsTranslated(const std::function<Texts(MainWindow &)> &texts, const char *what) {
        auto englishWindow = makeWindow();
        const Texts english = texts(*englishWindow);
        englishWindow.reset();
        translate();
        auto window = makeWindow();
        expectTranslated(english, texts(*window), GetParam(), what);
        return window;
    }
    std::string picture(const char *name) const {
        return std::string("translation-") + GetParam().code + "-" + name;
    }

    Installation installation;
    test::TempDir filterDir;
    fs::path filterFolder = filterDir.path();
    Settings settings;
    ProgramContext context;
    RecordingUserMessages messages;
    CauseList causes;
    InterfaceTranslation translation;
};

TEST_P(TranslationTest, EveryMenuItemAndHelpBoxOfTheMainWindowIsTranslated) {
    // The menus, then what the items of the Help menu show.
    auto texts = [](MainWindow &window) {
        Texts all = mainWindowTexts(window);
        for (QAction *action : menuWith(window, "&About Quorvane...")->actions())
            if (!action->isSeparator())
                for (const Text &text : modalTexts(*action))
                    all.push_back(text);
        return all;
    };
    auto englishWindow = makeWindow();
    const Texts english = texts(*englishWindow);
    translate();
    auto window = makeWindow();
    expectTranslated(english, texts(*window), GetParam(), "main window");

    // The pictures: the window with a capture, and the menus as they drop down.
    CaptureWindow *capture = window->openCapture(sample("calls.lvt").toStdString());
    ASSERT_NE(capture, nullptr);
    capture->selectFrame(12);
    window->resize(1100, 700);
    window->show();
    test::saveScreenshot(window.get(), picture("main").c_str());
    const QList<QAction *> menus = window->menuBar()->actions();
    for (qsizetype i = 0; i < menus.size(); ++i) {
        QMenu *menu = menus[i]->menu();
        menu->popup(window->mapToGlobal(QPoint(20, 20)));
        QApplication::processEvents();
        test::saveScreenshot(menu, picture(("menu-" + std::to_string(i)).c_str()).c_str());
        menu->hide();
    }
}

TEST_P(TranslationTest, EveryDialogIsTranslatedWithItsStandardButtons) {
    // Each dialog the menus open, built directly so that none waits for an answer.
    const std::vector<std::pair<const char *, std::function<std::unique_ptr<QWidget>()>>> dialogs =
        {
            {"find", [] { return std::make_unique<FindDialog>(FindDialog::Lists{}); }},
            {"hexa-find", [] { return std::make_unique<HexaFindDialog>(); }},
            {"print",
             [] { return std::make_unique<PrintDialog>(PrintSubject::Frames, 340, 12, true); }},
            {"colours",
             [this] { return std::make_unique<ColourSelectionDialog>(context.colours); }},
            {"fonts",
             [] { return std::make_unique<FontDialog>(QStringLiteral("Courier New"), 9, 0); }},
            {"product", [] { return std::make_unique<ProductDialog>(kProductLvt60, true); }},
            {"columns",
             [this] {
                 return std::make_unique<ProtocolInformationDialog>(context.columns, false);
             }},
            {"columns-v5",
             [this] { return std::make_unique<ProtocolInformationDialog>(context.columns, true); }},
            {"protocol",
             [this] {
                 return std::make_unique<ProtocolSetupDialog>(
                     context.decoding.protocol(), true, installation.notationRoot(), messages);
             }},
            {"filters",
             [this] {
                 return std::make_unique<FilterSheet>(FilterKind::OffLine, FilterCriteria{},
                                                      FilterFiles(filterFolder.string()), &causes,
                                                      messages);
             }},
            {"real-time-filters",
             [this] {
                 return std::make_unique<FilterSheet>(FilterKind::RealTime, FilterCriteria{},
                                                      FilterFiles(filterFolder.string()), &causes,
                                                      messages);
             }},
            {"serial-setup",
             [] {
                 static SerialSettingsTable table;
                 static SerialDevices devices;
                 return std::make_unique<SerialLinkSetupDialog>(table, devices, kProductLvt30,
                                                                false, std::vector<PortInfo>{});
             }},
            {"dru-find", [] { return std::make_unique<Dru70FindDialog>(); }},
            {"dru-print",
             [] { return std::make_unique<PrintDialog>(PrintSubject::Events, 120, 4, false); }},
            {"dru-filters",
             [this] {
                 return std::make_unique<Dru70FilterSheet>(
                     Dru70EventFilter{}, FilterFiles(filterFolder.string()), messages);
             }},
            {"dru-columns",
             [] { return std::make_unique<Dru70ProtocolInformationDialog>(Dru70Columns{}); }},
        };
    std::vector<Texts> english;
    for (const auto &[name, make] : dialogs) {
        std::unique_ptr<QWidget> dialog = make();
        english.push_back(widgetTexts(*dialog));
    }
    translate();
    for (std::size_t i = 0; i < dialogs.size(); ++i) {
        std::unique_ptr<QWidget> dialog = dialogs[i].second();
        expectTranslated(english[i], widgetTexts(*dialog), GetParam(), dialogs[i].first);
        test::saveScreenshot(dialog.get(), picture(dialogs[i].first).c_str());
        if (auto *tabs = dialog->findChild<QTabWidget *>())
            for (int page = 1; page < tabs->count(); ++page) {
                tabs->setCurrentIndex(page);
                const std::string name = std::string(dialogs[i].first) + "-" + std::to_string(page);
                test::saveScreenshot(dialog.get(), picture(name.c_str()).c_str());
            }
    }
}

TEST_P(TranslationTest, TheCaptureWindowsAndTheirQuestionsAreTranslated) {
    // The comment's title, the filtered capture's title, the Go to Frame box.
    auto texts = [this](MainWindow &window) {
        Texts all;
        CaptureWindow *capture = window.openCapture(sample("calls.lvt").toStdString());
        if (!capture)
            return all;
        capture->selectFrame(12);
        FilterCriteria setups;
        setups.layer1 = setups.layer2 = false;
        applyOffLineCriteria(capture->document(), setups, &causes);
        add(all, QStringLiteral("filtered capture"), capture->windowTitle());
        add(all, QStringLiteral("scroll thumb"), capture->thumbText(0));
        add(all, QStringLiteral("comment"), capture->openComment()->windowTitle());
        for (QAction *action : menuWith(window, "&Go to Frame...")->actions())
            if (action->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_G))
                for (const Text &text : modalTexts(*action))
                    all.push_back(text);
        return all;
    };
    auto window = expectWindowsTranslated(texts, "capture window");

    // A second window on the same capture is asked for in the interface language.
    messages.clear();
    messages.queueAnswer(MessageAnswer::No);
    EXPECT_EQ(window->openCapture(sample("calls.lvt").toStdString()), nullptr);
    ASSERT_EQ(messages.entries().size(), 1u);
    EXPECT_EQ(QString::fromStdString(messages.entries()[0].text), GetParam().alreadyOpened);
}

// The column titles of a table and the texts of its first row but those of column data.
void addTable(Texts &texts, const QString &where, const QTreeView &view, int data = -1) {
    const QAbstractItemModel &table = *view.model();
    for (int c = 0; c < table.columnCount(); ++c) {
        add(texts, where + QStringLiteral(" title"),
            table.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString());
        if (table.rowCount() > 0 && c != data)
            add(texts, where + QStringLiteral(" row"), table.index(0, c).data().toString());
    }
}

TEST_P(TranslationTest, TheAnalysisWindowsAreTranslated) {
    // Words of the decoded frames (numbers, message names, cause texts, bearers) are left as
    // they are; the columns, states, groups, tables and summaries follow the interface.
    const QStringList decoded = {QStringLiteral("Speech"), QStringLiteral("Normal call clearing"),
                                 QStringLiteral("Mode")};
    auto texts = [&](MainWindow &window) {
        Texts all;
        CaptureWindow *calls = window.openCapture(sample("calls.lvt").toStdString());
        CaptureWindow *errors = window.openCapture(sample("errors.lvt").toStdString());
        if (!calls || !errors)
            return all;
        CallsWindow list(*calls, &causes, messages);
        for (const Text &text : widgetTexts(list))
            all.push_back(text);
        addTable(all, QStringLiteral("calls"), *list.table());
        ExpertWindow expert(*errors, nullptr);
        for (const Text &text : widgetTexts(expert))
            all.push_back(text);
        addTable(all, QStringLiteral("expert"), *expert.list(),
                 expert.list()->model()->columnCount() - 1);
        FlowWindow flow(callFlowOf(*calls, list.calls()[0], false), calls, nullptr);
        for (const Text &text : widgetTexts(flow))
            all.push_back(text);
        Statistics statistics;
        collectStatistics(*FrameSource::of(errors->document()), statistics);
        StatisticsDialog dialog(statistics, QStringLiteral("errors.lvt"), nullptr);
        for (const Text &text : widgetTexts(dialog))
            all.push_back(text);
        for (QTableWidget *table : dialog.findChildren<QTableWidget *>())
            for (int c = 0; c < table->columnCount(); ++c) {
                add(all, QStringLiteral("statistics title"),
                    table->horizontalHeaderItem(c)->text());
                if (table->objectName() == QLatin1String("layers") && c == 0)
                    for (int r = 0; r < table->rowCount(); ++r)
                        add(all, QStringLiteral("layer"), table->item(r, 0)->text());
            }
        std::erase_if(all, [&](const Text &text) {
            return decoded.contains(text.text) || text.text.contains(QLatin1Char('/')) ||
                   text.text.front().isDigit();
        });
        if (!all.empty() && GetParam().code == std::string("fr"))
            test::saveScreenshot(&list, picture("calls").c_str());
        return all;
    };
    expectWindowsTranslated(texts, "analysis windows");
}

TEST_P(TranslationTest, TheLanguageMenuChecksTheLanguageInUse) {
    settings.appLanguage = GetParam().appLanguage;
    translate();
    auto window = makeWindow();
    const QList<QAction *> items = languageItems(*window);
    ASSERT_EQ(items.size(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(items[i]->isChecked(), i == GetParam().appLanguage) << i;

    // Every choice is for the next start, the other translation being there too.
    const int other = 3 - GetParam().appLanguage;
    for (int choice : {0, other}) {
        messages.clear();
        items[choice]->trigger();
        EXPECT_EQ(settings.appLanguage, choice);
        EXPECT_EQ(settings.file().readInt("Configuration", "AppLanguage", -1), choice);
        EXPECT_TRUE(items[choice]->isChecked());
        ASSERT_EQ(messages.entries().size(), 1u);
        EXPECT_EQ(messages.entries()[0].text, kMsgLanguageAtNextStart);
        EXPECT_EQ(messages.entries()[0].icon, MessageIcon::Information);
    }
}

// One box as the user sees it.
struct Box {
    QString caption;
    QString text;
};

// Message boxes that are looked at instead of being shown; questions are answered No. The next
// box is pictured under the name given.
struct SeenBoxes {
    std::vector<Box> boxes;
    std::string picture;
    QtUserMessages user{nullptr, [this](QMessageBox &box) {
                            boxes.push_back({box.windowTitle(), box.text()});
                            if (!picture.empty())
                                test::saveScreenshot(&box, picture.c_str());
                            picture.clear();
                            return static_cast<int>(QMessageBox::No);
                        }};
    Box last() const { return boxes.empty() ? Box{} : boxes.back(); }
};

std::string cannotOpenList(const char *listFile) {
    char text[256];
    std::snprintf(text, sizeof text, kMsgCannotOpenList, listFile);
    return text;
}

TEST_P(TranslationTest, TheCoreMessagesAndTheirCaptionsAreShownInTheInterfaceLanguage) {
    SeenBoxes seen;
    seen.user.error(kMsgNoFrame);
    EXPECT_EQ(seen.last().text, QLatin1String(kMsgNoFrame)) << "English before a translation";
    EXPECT_EQ(seen.last().caption, QLatin1String("Error Message"));
    translate();

    // A plain text, and one filled in with a file name, translated around what was filled in.
    seen.picture = picture("message-error");
    seen.user.error(kMsgNoFrame);
    EXPECT_EQ(seen.last().text, QCoreApplication::translate(kMessagesContext, kMsgNoFrame));
    EXPECT_NE(seen.last().caption, QLatin1String("Error Message"));
    seen.user.show(cannotOpenList("ETSIEN.LST"), kPduInterpreterCaption, MessageIcon::Exclamation);
    EXPECT_TRUE(seen.last().text.startsWith(
        QCoreApplication::translate(kMessagesContext, kMsgCannotOpenList).section("%s", 0, 0)))
        << seen.last().text.toStdString();
    EXPECT_TRUE(seen.last().text.contains(QLatin1String("ETSIEN.LST")));
    EXPECT_NE(seen.last().caption, QLatin1String(kPduInterpreterCaption));

    seen.picture = picture("message-question");
    EXPECT_EQ(seen.user.ask(kMsgCommentChanged, kProgramCaption, MessageButtons::YesNoCancel,
                            MessageAnswer::Yes),
              MessageAnswer::No);
    EXPECT_EQ(seen.last().text, QCoreApplication::translate(kMessagesContext, kMsgCommentChanged));
    EXPECT_EQ(seen.last().caption, QLatin1String("Quorvane"));

    // A text the windows translated already, and one that only looks filled in, stay as they
    // are.
    for (const std::string &text :
         {GetParam().alreadyOpened.toStdString(), std::string("Layer 3 detail error: none!")}) {
        seen.user.show(text, kProgramCaption, MessageIcon::Information);
        EXPECT_EQ(seen.last().text.toStdString(), text);
    }
}

TEST_P(TranslationTest, EveryMessageOfTheCatalogueIsTranslated) {
    const std::span<const char *const> catalogue = messageCatalogue();
    ASSERT_GT(catalogue.size(), 60u);
    // Each in the language, with its line breaks and what the core fills in.
    translate();
    for (const char *english : catalogue) {
        const QString source = QString::fromUtf8(english);
        const QString translated = QCoreApplication::translate(kMessagesContext, english);
        if (source != QLatin1String("Quorvane")) {
            EXPECT_NE(translated, source) << '"' << english << "\" is left in English";
        }
        EXPECT_EQ(translated.count(QLatin1Char('\n')), source.count(QLatin1Char('\n'))) << english;
        for (const char *conversion : {"%s", "%d"})
            EXPECT_EQ(translated.count(QLatin1String(conversion)),
                      source.count(QLatin1String(conversion)))
                << english;
    }
}

INSTANTIATE_TEST_SUITE_P(FrenchAndGerman, TranslationTest, ::testing::Values(kFrench, kGerman),
                         [](const ::testing::TestParamInfo<Language> &info) {
                             return std::string(info.param.code);
                         });

// A home of its own, with the notation folder but with no translation or a damaged one.
class MissingTranslationTest : public ::testing::Test {
protected:
    MissingTranslationTest() { fs::create_directories(home / "ISDNNOT"); }

    test::TempDir dir;
    fs::path home = dir.path();
    Installation installation{home.string()};
    Settings settings;
    ProgramContext context;
    RecordingUserMessages messages;
};

TEST_F(MissingTranslationTest, AMissingOrDamagedTranslationLeavesTheInterfaceInEnglish) {
    InterfaceTranslation translation;
    EXPECT_FALSE(translation.install(installation, 1));
    fs::create_directories(home / "translations");
    std::ofstream(home / "translations" / "quorvane_de.qm") << "not a translation";
    EXPECT_FALSE(translation.install(installation, 2));
    EXPECT_FALSE(translation.install(Installation::fromCommandLine({}), 0)) << "English";
    EXPECT_FALSE(translation.install(Installation::fromCommandLine({}), 7)) << "no language";
    EXPECT_FALSE(translation.installed());

    MainWindow window(installation, settings, context, messages);
    EXPECT_EQ(window.menuBar()->actions().front()->text(), "&File");
    settings.appLanguage = 0;
    window.chooseInterfaceLanguage(1);
    window.chooseInterfaceLanguage(2);
    window.chooseInterfaceLanguage(0);
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{kMsgFrenchNotFound, kMsgGermanNotFound,
                                                          kMsgLanguageAtNextStart}));
    EXPECT_EQ(settings.appLanguage, 0);
    EXPECT_TRUE(languageItems(window).front()->isChecked()) << "English stays checked";
}

// The decoding language chooses the texts of the decoded fields, whatever the interface speaks.
class DecodingLanguageTest : public ::testing::TestWithParam<int> {
protected:
    QStringList detailOfASetup(int decodingLanguage) {
        Settings settings;
        settings.language = decodingLanguage;
        ProgramContext context;
        context.columns.load(settings.file(), decodingLanguage);
        context.decoding.start(installation, settings, {}, messages);
        MainWindow window(installation, settings, context, messages);
        window.enterMode(WorkingMode::Examine);
        CaptureWindow *capture = window.openCapture(sample("calls.lvt").toStdString());
        if (!capture)
            return {};
        capture->selectFrame(12); // a SETUP
        return capture->detailTexts();
    }

    Installation installation = Installation::fromCommandLine({});
    RecordingUserMessages messages;
    InterfaceTranslation translation;
};

TEST_P(DecodingLanguageTest, TheDetailShowsTheFieldsInTheDecodingLanguage) {
    if (GetParam() != 0) {
        ASSERT_TRUE(translation.install(installation, GetParam()));
    }
    const QStringList english = detailOfASetup(0);
    EXPECT_TRUE(english.contains(QStringLiteral("ISDN LAYER 3")))
        << english.join('\n').toStdString();
    EXPECT_FALSE(english.contains(QStringLiteral("NIVEAU 3 RNIS")));
    const QStringList french = detailOfASetup(1);
    EXPECT_TRUE(french.contains(QStringLiteral("NIVEAU 3 RNIS")))
        << french.join('\n').toStdString();
    EXPECT_FALSE(french.contains(QStringLiteral("ISDN LAYER 3")));
    EXPECT_EQ(english.size(), french.size()) << "the same fields, in other words";
}

INSTANTIATE_TEST_SUITE_P(InEveryInterfaceLanguage, DecodingLanguageTest, ::testing::Values(0, 1, 2),
                         [](const ::testing::TestParamInfo<int> &info) {
                             return std::string(info.param == 0   ? "English"
                                                : info.param == 1 ? "French"
                                                                  : "German");
                         });

} // namespace
} // namespace qv
