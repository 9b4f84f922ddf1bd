#include "ui/window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/application.h"

namespace {

const ControlRow kRows[] = {
    {ControlKind::Label, "lblNote", "Label1", {0, 0, 100, 100}},
    {ControlKind::CommandButton, "cmdGo", "Go", {0, 0, 100, 100}},
    {ControlKind::TextBox, "tbStep", "0", {0, 0, 100, 100}, kHidden},
    {ControlKind::ListBox, "lstItems", "", {0, 0, 100, 100}},
};
const WindowLayout kLayout{"frm_Test", "Test", 1000, 1000, false, kRows};

struct Journal {
    std::vector<std::string> events;
};

// A window that writes each event into a shared journal.
struct TestWindow : Window {
    TestWindow(Application& app, Journal& journal, std::string name)
        : Window(app, kLayout), journal(journal), name(std::move(name)) {}
    Journal& journal;
    std::string name;
    std::string variable;  // a window variable, which outlives the controls
    std::function<void()> onLoad, onActivate;

    TextBox tbStep{*this, "tbStep"};
    Label lblNote{*this, "lblNote"};
    ListBox lstItems{*this, "lstItems"};
    CommandButton cmdGo{*this, "cmdGo"};

    void Form_Load() override {
        journal.events.push_back(name + " load");
        if (onLoad) onLoad();
    }
    void Form_Activate() override {
        journal.events.push_back(name + " activate");
        if (onActivate) onActivate();
    }
    void Form_Unload() override { journal.events.push_back(name + " unload"); }
};

struct RuntimeTest : testing::Test {
    HeadlessView view;
    Application app{view};
    Journal journal;
    TestWindow main{app, journal, "main"};
    TestWindow other{app, journal, "other"};
};

TEST_F(RuntimeTest, ControlsAreInTabOrderWhateverTheirDeclarationOrder) {
    ASSERT_EQ(4u, main.controls().size());
    EXPECT_EQ(&main.lblNote, main.controls()[0]);
    EXPECT_EQ(&main.cmdGo, main.controls()[1]);
    EXPECT_EQ(&main.lstItems, main.controls()[3]);
}

// A button declared as a text box: drawn from its row, it would be the wrong control.
struct MisdeclaredWindow : Window {
    explicit MisdeclaredWindow(Application& app) : Window(app, kLayout) {}
    TextBox cmdGo{*this, "cmdGo"};
};

TEST_F(RuntimeTest, AMemberOfAnotherKindThanItsRowStopsTheProgramAtOnce) {
    EXPECT_DEATH(MisdeclaredWindow{app}, "");
}

TEST_F(RuntimeTest, ShowLoadsThenActivates) {
    main.show();
    EXPECT_EQ((std::vector<std::string>{"main load", "main activate"}), journal.events);
    EXPECT_TRUE(main.loaded());
    EXPECT_TRUE(main.visible());
    EXPECT_EQ(&main, app.active());
    EXPECT_EQ(&main.cmdGo, main.focus());  // the first control that can take the focus
}

TEST_F(RuntimeTest, LoadHandlerRunsBeforeTheWindowIsVisible) {
    bool visibleDuringLoad = true;
    main.onLoad = [&] { visibleDuringLoad = main.visible(); };
    main.show();
    EXPECT_FALSE(visibleDuringLoad);
}

TEST_F(RuntimeTest, AskingVisibilityNeverLoads) {
    EXPECT_FALSE(other.visible());
    EXPECT_FALSE(other.loaded());
    EXPECT_TRUE(journal.events.empty());
}

TEST_F(RuntimeTest, ShowingALoadedWindowAgainDoesNotReload) {
    main.show();
    other.show();
    main.show();
    EXPECT_EQ((std::vector<std::string>{"main load", "main activate", "other load",
                                        "other activate", "main activate"}),
              journal.events);
}

TEST_F(RuntimeTest, UnloadDestroysControlsButKeepsVariables) {
    main.show();
    main.tbStep.setText("5");
    main.lblNote.setCaption("changed");
    main.lstItems.addItem("CPU0");
    main.variable = "kept";
    main.unload();
    main.show();
    EXPECT_EQ("0", main.tbStep.text());
    EXPECT_EQ("Label1", main.lblNote.caption());
    EXPECT_TRUE(main.lstItems.items().empty());
    EXPECT_EQ("kept", main.variable);
    EXPECT_EQ("main load", journal.events[3]);
}

TEST_F(RuntimeTest, ChangeRunsInsideTheWriteAndOnlyOnRealChange) {
    main.show();
    std::vector<std::string> seen;
    main.tbStep.onChange = [&] { seen.push_back(main.tbStep.text()); };
    main.tbStep.setText("1");
    EXPECT_EQ(std::vector<std::string>{"1"}, seen);
    main.tbStep.setText("1");
    EXPECT_EQ(1u, seen.size());
}

TEST_F(RuntimeTest, ChangeHandlerReentersSeveralLevelsDeep) {
    main.show();
    std::vector<std::string> trail;
    int depth = 0, deepest = 0;
    main.tbStep.onChange = [&] {
        std::string step = main.tbStep.text();
        ++depth;
        deepest = std::max(deepest, depth);
        trail.push_back("enter " + step);
        if (step != "6") main.tbStep.setText(std::to_string(std::stoi(step) + 1));
        trail.push_back("leave " + step);
        --depth;
    };
    main.tbStep.setText("1");
    EXPECT_EQ(6, deepest);
    ASSERT_EQ(12u, trail.size());
    EXPECT_EQ("enter 6", trail[5]);
    EXPECT_EQ("leave 6", trail[6]);
    EXPECT_EQ("leave 1", trail[11]);
    EXPECT_EQ("6", main.tbStep.text());
}

TEST_F(RuntimeTest, ProgramSelectingAListEntryFiresItsClick) {
    main.show();
    int clicks = 0;
    main.lstItems.onClick = [&] { ++clicks; };
    main.lstItems.addItem("a");
    main.lstItems.addItem("b");
    main.lstItems.setListIndex(1);
    main.lstItems.setListIndex(5);  // no such entry
    EXPECT_EQ(1, clicks);
    EXPECT_EQ(1, main.lstItems.listIndex());
    main.lstItems.clear();
    EXPECT_EQ(-1, main.lstItems.listIndex());
}

TEST_F(RuntimeTest, WindowThatUnloadsItselfOnActivateHandsActivationBack) {
    main.show();
    other.onActivate = [&] {
        other.hide();
        other.unload();
    };
    other.show();
    EXPECT_FALSE(other.loaded());
    EXPECT_EQ(&main, app.active());
    EXPECT_EQ((std::vector<std::string>{"main load", "main activate", "other load",
                                        "other activate", "main activate", "other unload"}),
              journal.events);
}

TEST_F(RuntimeTest, NestedShowsUnwindInReverseOrder) {
    // The outer window shows the inner one while it is still loading.
    main.show();
    other.onLoad = [&] { main.cmdGo.setFocus(); };
    main.onLoad = [&] { other.show(); };
    main.unload();
    journal.events.clear();
    main.show();
    EXPECT_EQ(
        (std::vector<std::string>{"main load", "other load", "other activate", "main activate"}),
        journal.events);
    EXPECT_EQ(&main, app.active());
}

TEST_F(RuntimeTest, FocusGoesNowhereWhileTheWindowIsNotShown) {
    main.show();
    other.load();
    other.cmdGo.setFocus();
    EXPECT_EQ(&main, app.active());
    other.unload();
    other.cmdGo.setFocus();
    EXPECT_FALSE(other.cmdGo.hasFocus());
}

TEST_F(RuntimeTest, WritesToAnUnloadedWindowGoNowhere) {
    int changes = 0;
    main.tbStep.onChange = [&] { ++changes; };
    main.tbStep.setText("3");
    EXPECT_EQ(0, changes);
    EXPECT_FALSE(main.loaded());
}

TEST_F(RuntimeTest, ProgramEndsOnlyWhenTheLastWindowUnloads) {
    main.show();
    other.show();
    main.unload();
    EXPECT_FALSE(app.ended());
    EXPECT_TRUE(app.running());
    EXPECT_EQ(&other, app.active());
    other.unload();
    EXPECT_TRUE(app.ended());
    EXPECT_FALSE(app.running());
}

}  // namespace

// What the view is told, in order, and how often it is asked to present.
struct RecordingView : HeadlessView {
    std::vector<std::string> told;
    int asked = 0;
    void presentLater(Application&) override { ++asked; }
    void presented(Window& w) override {
        told.push_back(static_cast<TestWindow&>(w).name + (w.visible() ? " shown" : " hidden"));
    }
    void activated(Window& w) override {
        told.push_back(static_cast<TestWindow&>(w).name + " active");
    }
};

struct PresentTest : testing::Test {
    RecordingView view;
    Application app{view};
    Journal journal;
    TestWindow main{app, journal, "main"};
    TestWindow other{app, journal, "other"};
    TestWindow third{app, journal, "third"};
};

// The screen follows the runtime once the event is done: a window shown and unloaded
// within one event never reaches it, and the last activation is the one made.
TEST_F(PresentTest, OnlyTheStateAtTheEndOfTheEventIsPresented) {
    main.show();
    app.present();
    view.told.clear();
    view.asked = 0;

    main.cmdGo.onClick = [&] {
        other.show();
        other.unload();
        third.show();
    };
    main.cmdGo.click();
    EXPECT_TRUE(view.told.empty()) << "presented inside the event";
    EXPECT_EQ(1, view.asked);

    app.present();
    EXPECT_EQ((std::vector<std::string>{"main shown", "third shown", "third active"}), view.told);
    EXPECT_EQ(
        (std::vector<std::string>{"main load", "main activate", "other load", "other activate",
                                  "other unload", "main activate", "third load", "third activate"}),
        journal.events);
}

TEST_F(PresentTest, AHiddenWindowIsPresentedBeforeTheShownOnesBottomUp) {
    main.show();
    other.show();
    third.show();
    app.present();
    view.told.clear();

    other.hide();
    main.show();  // back on top
    app.present();
    EXPECT_EQ(
        (std::vector<std::string>{"other hidden", "third shown", "main shown", "main active"}),
        view.told);
}
