#pragma once
// The page control of the main window.  Pages a model does not use lose their tab
// (QTabWidget::setTabVisible); the tab bar here also keeps them from accessibility clients,
// to which Qt's own tab bar goes on offering hidden tabs as ordinary pages.

#include <QTabBar>
#include <QTabWidget>

class TPageTabBar : public QTabBar {
    Q_OBJECT
public:
    explicit TPageTabBar(QWidget* parent = nullptr);
};

class TPageControl : public QTabWidget {
    Q_OBJECT
public:
    explicit TPageControl(QWidget* parent = nullptr);
    // Shows or hides a page's tab and tells accessibility clients that the tabs changed.
    void SetPageVisible(QWidget* page, bool visible);
};

// Registers the accessible interface of TPageTabBar (once, however often it is called).
void InstallPageTabBarAccessibility();
