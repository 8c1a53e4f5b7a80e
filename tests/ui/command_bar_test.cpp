// The command bar: the popup's labels in both languages, the tool bar, routing by command id.
#include "ui/command_bar.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "frame_fixture.h"

namespace {

class CommandBarTest : public FrameTest {
  protected:
    QList<QAction*> MenuItems() const { return frame->menuBar()->actions().first()->menu()->actions(); }
    QStringList Labels() const {
        QStringList labels;
        for (QAction* item : MenuItems()) labels << item->text();
        return labels;
    }
    QList<int> Ids(const QList<QAction*>& actions) const {
        QList<int> ids;
        for (QAction* action : actions) {
            if (!action->isSeparator()) ids << action->data().toInt();
        }
        return ids;
    }
};

TEST_F(CommandBarTest, TheMenuReadsInThePlayersLanguageAndKeepsItsIds) {
    Start();
    ASSERT_EQ(frame->menuBar()->actions().size(), 1);
    EXPECT_EQ(frame->menuBar()->actions().first()->text(), "Menu");
    EXPECT_EQ(Labels(),
              QStringList({"New Game", "Show solution", "Learn rules", "Options", "About", "Exit"}));
    const QList<int> ids = Ids(MenuItems());
    EXPECT_EQ(ids, QList<int>({40005, 40007, 40008, 40004, 40003, 40001}));

    GameState.langue = 1;
    UpdateMenuLabels();
    EXPECT_EQ(Labels(), QStringList({"Nouvelle partie", "Donner la solution", "Apprentissage", "Options",
                                     "A propos", "Quitter"}));
    EXPECT_EQ(Ids(MenuItems()), ids);
    EXPECT_EQ(frame->windowTitle(), "Mirovane") << "the title is never translated";
    EXPECT_EQ(frame->Client()->size(), QSize(240, 268));
    EXPECT_EQ(Offscreen.width * 1000 + Offscreen.height, 240268) << "the buffer takes the client's size";
}

TEST_F(CommandBarTest, TheToolBarHasFivePicturesWithASeparatorAfterTheSecondAndReachesTheCommands) {
    StartPlaying();
    const QList<QToolBar*> bars = frame->findChildren<QToolBar*>();
    ASSERT_EQ(bars.size(), 1);
    const QList<QAction*> actions = bars.first()->actions();
    ASSERT_EQ(actions.size(), 6);
    EXPECT_TRUE(actions[2]->isSeparator());
    EXPECT_EQ(Ids(actions), QList<int>({40009, 40010, 40011, 40012, 40013}));
    for (QAction* action : actions) EXPECT_TRUE(action->isSeparator() || !action->icon().isNull());

    // The last button toggles the hints, the bulb shows the solution, the grid starts a new game and
    // the question mark the demonstration.
    std::vector<int> after;
    for (int i : {5, 4, 3, 0}) {
        actions[i]->trigger();
        after.push_back(i == 5 ? GameState.hint : GameState.gamePhase);
    }
    EXPECT_EQ(after, (std::vector<int>{0, Finished, Playing, Learning}));
}

}  // namespace
