// Menus, popup menus, tool bars and status bars, driven through their real widgets.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

#include "toolkit/internal.h"
#include "toolkit/toolkit.h"

namespace {

constexpr int Win = 70;

struct MenuTest : testing::Test {
  void SetUp() override {
    tk::openWindow(Win, 0, 0, 500, 400, "Menü", tk::WfSystemMenu);
    // Menu 70: "Datei" with items and a sub-menu; menu 71 a second bar sharing id 5.
    ASSERT_TRUE(tk::createMenu(70, Win));
    tk::menuTitle("Datei");
    tk::menuItem(1, "Neu\tStrg+N");
    tk::menuItem(5, "Rückgängig");
    tk::menuSeparator();
    tk::openSubMenu("Gitter");
    tk::menuItem(170, "Kein Gitter");
    tk::menuItem(171, "Alle 10 Pixel");
    tk::closeSubMenu();
    tk::menuItem(3, "Beenden");
    tk::menuTitle("Ansicht");
    tk::menuItem(193, "Zusatzleiste");
    ASSERT_TRUE(tk::createMenu(71, -1));
    tk::menuTitle("Script");
    tk::menuItem(5, "Rückgängig");
    ASSERT_TRUE(tk::createPopupMenu(72));
    tk::menuItem(5, "Rückgängig");
    tk::menuItem(33, "Einfügen");
    tk::processPending();
    tk::drainEvents();
  }
  void TearDown() override {
    for (int m : {70, 71, 72}) tk::freeMenu(m);
    tk::freeStatusBar(73);
    tk::closeWindow(Win);
    tk::drainEvents();
  }
  // The next menu event's id, -1 when none comes.
  int nextMenuId() {
    int code;
    while ((code = tk::waitEvent(200)) != tk::EvNone)
      if (code == tk::EvMenu) return tk::eventMenu();
    return -1;
  }
  QMenuBar* bar() { return tk::detail::window(Win)->menuBar; }
  QAction* findAction(QMenu* m, int id) {
    for (QAction* a : m->actions()) {
      if (a->menu()) {
        if (QAction* s = findAction(a->menu(), id)) return s;
      } else if (!a->isSeparator() && a->data().toInt() == id) {
        return a;
      }
    }
    return nullptr;
  }
};

TEST_F(MenuTest, StructureAsBuilt) {
  EXPECT_EQ(tk::testMenuStructure(70),
            "Datei\n"
            "  1 Neu\tStrg+N\n"
            "  5 Rückgängig\n"
            "  ---\n"
            "  > Gitter\n"
            "    170 Kein Gitter\n"
            "    171 Alle 10 Pixel\n"
            "  3 Beenden\n"
            "Ansicht\n"
            "  193 Zusatzleiste\n");
  EXPECT_EQ(tk::testMenuStructure(72), "5 Rückgängig\n33 Einfügen\n");
  EXPECT_EQ(tk::testMenuStructure(99), "");
}

TEST_F(MenuTest, ClickingAnItemRaisesItsId) {
  // Open "Datei" with the mouse and click "Beenden".
  QAction* title = bar()->actions().at(0);
  QTest::mouseClick(bar(), Qt::LeftButton, {}, bar()->actionGeometry(title).center());
  tk::processPending();
  QMenu* menu = title->menu();
  ASSERT_TRUE(menu->isVisible());
  QAction* item = findAction(menu, 3);
  ASSERT_NE(item, nullptr);
  QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
  EXPECT_EQ(nextMenuId(), 3);
  EXPECT_EQ(tk::eventWindow(), Win);
  // Sub-menu items and items of a bar that is not attached.
  EXPECT_TRUE(tk::testTriggerMenuItem(70, 171));
  EXPECT_EQ(nextMenuId(), 171);
  EXPECT_TRUE(tk::testTriggerMenuItem(71, 5));
  EXPECT_EQ(nextMenuId(), 5);
  EXPECT_FALSE(tk::testTriggerMenuItem(70, 999));
}

TEST_F(MenuTest, CheckActsOnOneMenuAndStaysAsTheProgramSetsIt) {
  tk::setMenuItemChecked(70, 5, true);
  EXPECT_TRUE(tk::menuItemChecked(70, 5));
  EXPECT_FALSE(tk::menuItemChecked(71, 5));
  // Choosing an item does not flip its check mark: the program sets it.
  EXPECT_TRUE(tk::testTriggerMenuItem(70, 5));
  EXPECT_EQ(nextMenuId(), 5);
  EXPECT_TRUE(tk::menuItemChecked(70, 5));
  EXPECT_TRUE(findAction(bar()->actions().at(0)->menu(), 5)->isChecked());
  tk::setMenuItemChecked(70, 5, false);
  EXPECT_FALSE(tk::menuItemChecked(70, 5));
  EXPECT_FALSE(tk::menuItemChecked(70, 999));
}

TEST_F(MenuTest, DisableActsOnTheIdEverywhere) {
  ASSERT_TRUE(tk::createToolBar(74, Win));
  tk::toolBarStandardButton(5, tk::IconUndo);
  tk::toolBarStandardButton(6, tk::IconRedo);
  tk::enableMenuId(5, false);
  EXPECT_FALSE(tk::menuIdEnabled(5));
  EXPECT_TRUE(tk::menuIdEnabled(6));
  EXPECT_FALSE(tk::testTriggerMenuItem(70, 5));
  EXPECT_FALSE(tk::testTriggerMenuItem(71, 5));
  EXPECT_FALSE(tk::testTriggerMenuItem(72, 5));
  EXPECT_FALSE(tk::testClickToolBarButton(74, 5));
  EXPECT_NE(tk::testMenuStructure(72).find("5 Rückgängig [-]"), std::string::npos);
  EXPECT_EQ(nextMenuId(), -1);
  tk::enableMenuId(5, true);
  EXPECT_TRUE(tk::testTriggerMenuItem(72, 5));
  EXPECT_EQ(nextMenuId(), 5);
  EXPECT_TRUE(tk::testClickToolBarButton(74, 5));
  EXPECT_EQ(nextMenuId(), 5);
  // An id that only a tool bar button carries.
  tk::enableMenuId(6, false);
  EXPECT_FALSE(tk::menuIdEnabled(6));
}

TEST_F(MenuTest, ItemTextAndOwnCheckPictures) {
  tk::setMenuItemText(70, 193, "Zusatzleiste anzeigen");
  EXPECT_EQ(tk::menuItemText(70, 193), "Zusatzleiste anzeigen");
  EXPECT_EQ(tk::menuItemText(70, 999), "");
  ASSERT_EQ(tk::createImage(7074, 13, 13, 24, 0x0000FF), 7074);   // red: unchecked
  ASSERT_EQ(tk::createImage(7075, 13, 13, 24, 0x00FF00), 7075);   // green: checked
  tk::setMenuItemImages(70, 193, 7074, 7075);
  QAction* a = findAction(bar()->actions().at(1)->menu(), 193);
  auto shown = [&] { return a->icon().pixmap(13, 13).toImage().pixelColor(6, 6); };
  EXPECT_FALSE(a->isCheckable());   // the pictures stand in for the check mark
  EXPECT_EQ(shown(), QColor(255, 0, 0));
  tk::setMenuItemChecked(70, 193, true);
  EXPECT_EQ(shown(), QColor(0, 255, 0));
  tk::freeImage(7074);
  tk::freeImage(7075);
}

TEST_F(MenuTest, PopupShowsAndItsItemsRaiseTheirIds) {
  tk::showPopupMenu(72, Win, 10, 10);
  tk::processPending();
  QMenu* popup = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* m = qobject_cast<QMenu*>(w); m && m->isVisible() && findAction(m, 33)) popup = m;
  ASSERT_NE(popup, nullptr);
  QTest::mouseClick(popup, Qt::LeftButton, {}, popup->actionGeometry(findAction(popup, 33)).center());
  EXPECT_EQ(nextMenuId(), 33);
  EXPECT_EQ(tk::eventWindow(), Win);
  // Rebuilt at run time under the same number.
  ASSERT_TRUE(tk::createPopupMenu(72));
  tk::menuItem(40, "Neu");
  EXPECT_EQ(tk::testMenuStructure(72), "40 Neu\n");
}

TEST_F(MenuTest, FreeingTheAttachedBarDetachesIt) {
  int h = tk::windowHeight(Win);
  tk::freeMenu(70);
  EXPECT_FALSE(tk::isMenu(70));
  EXPECT_EQ(tk::attachedMenu(Win), -1);
  EXPECT_EQ(tk::windowHeight(Win), h);
  tk::attachMenu(70, Win);   // gone: nothing happens
  EXPECT_EQ(tk::attachedMenu(Win), -1);
}

TEST_F(MenuTest, ToolBarButtons) {
  ASSERT_TRUE(tk::createToolBar(74, Win));
  ASSERT_EQ(tk::createImage(7014, 16, 16, 24, 0x0000FF), 7014);
  ASSERT_EQ(tk::createImage(7015, 16, 16, 24, 0xFF0000), 7015);
  tk::toolBarStandardButton(1, tk::IconNew);
  tk::toolBarSeparator();
  tk::toolBarImageButton(14, 7014);
  tk::toolBarImageButton(219, 7014, true);
  tk::toolBarToolTip(74, 14, "Fehlerbericht");
  EXPECT_GT(tk::toolBarHeight(74), 16);
  auto* tb = qobject_cast<QToolBar*>(tk::detail::window(Win)->toolBar.data());
  ASSERT_NE(tb, nullptr);
  EXPECT_EQ(tb->y(), 0);   // on top of the inner area
  auto button = [&](int id) -> QToolButton* {
    for (QAction* a : tb->actions())
      if (!a->isSeparator() && a->data().toInt() == id)
        return qobject_cast<QToolButton*>(tb->widgetForAction(a));
    return nullptr;
  };
  ASSERT_NE(button(14), nullptr);
  EXPECT_EQ(button(14)->toolTip().toStdString(), "Fehlerbericht");
  QTest::mouseClick(button(14), Qt::LeftButton);
  EXPECT_EQ(nextMenuId(), 14);
  EXPECT_EQ(tk::eventWindow(), Win);
  // A toggle keeps its state and reports each click.
  QTest::mouseClick(button(219), Qt::LeftButton);
  EXPECT_EQ(nextMenuId(), 219);
  EXPECT_TRUE(tk::toolBarButtonState(74, 219));
  tk::setToolBarButtonState(74, 219, false);
  EXPECT_FALSE(tk::toolBarButtonState(74, 219));
  // Changing the picture (the blinking error button).
  tk::setToolBarButtonImage(74, 14, 7015);
  EXPECT_EQ(button(14)->icon().pixmap(16, 16).toImage().pixelColor(8, 8), QColor(0, 0, 255));
  tk::hideToolBarButton(74, 14, true);
  EXPECT_FALSE(tk::testClickToolBarButton(74, 14));
  tk::hideToolBarButton(74, 14, false);
  tk::disableToolBarButton(74, 1, true);
  EXPECT_FALSE(tk::testClickToolBarButton(74, 1));
  EXPECT_EQ(nextMenuId(), -1);
  tk::freeImage(7014);
  tk::freeImage(7015);
}

TEST_F(MenuTest, StatusBarFields) {
  ASSERT_TRUE(tk::createStatusBar(73, Win));
  tk::addStatusBarField(100);
  tk::addStatusBarField(9999);
  EXPECT_TRUE(tk::isStatusBar(73));
  tk::setStatusBarText(73, 0, "Zoom: 100%");
  tk::setStatusBarText(73, 1, "Bereit", tk::SbCenter);
  tk::setStatusBarText(73, 5, "gibt es nicht");   // no such field: ignored
  EXPECT_EQ(tk::statusBarText(73, 0), "Zoom: 100%");
  EXPECT_EQ(tk::statusBarText(73, 1), "Bereit");
  EXPECT_EQ(tk::statusBarText(73, 5), "");
  EXPECT_EQ(tk::statusBarImage(73, 0), -1);
  ASSERT_EQ(tk::createImage(7073, 8, 8, 24, 0xFF0000), 7073);   // blue
  tk::setStatusBarImage(73, 0, 7073);
  EXPECT_EQ(tk::statusBarImage(73, 0), 7073);
  // The bar lies at the bottom of the inner area and shows the picture in field 0.
  QWidget* sb = tk::detail::window(Win)->statusBar;
  ASSERT_NE(sb, nullptr);
  EXPECT_EQ(sb->y() + sb->height(), tk::windowHeight(Win));
  EXPECT_EQ(sb->height(), tk::statusBarHeight(73));
  QImage shot = sb->grab().toImage();
  bool found = false;
  for (int y = 0; y < shot.height() && !found; ++y)
    for (int x = 0; x < 100 && !found; ++x) found = shot.pixelColor(x, y) == QColor(0, 0, 255);
  EXPECT_TRUE(found);
  // A second bar on the same window replaces the first.
  ASSERT_TRUE(tk::createStatusBar(75, Win));
  EXPECT_FALSE(tk::isStatusBar(73));
  tk::freeStatusBar(75);
  EXPECT_FALSE(tk::isStatusBar(75));
  EXPECT_EQ(tk::detail::window(Win)->statusBar, nullptr);
  tk::freeImage(7073);
}

}  // namespace
