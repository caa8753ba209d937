#pragma once
// The page control of the main window.  Pages a model does not use lose their tab
// (QTabWidget::setTabVisible), and with it every way in: the controls of a hidden page
// write bytes that mean something else on the model shown.  Qt's own tab bar lets the
// wheel step onto hidden tabs and offers them to accessibility clients as ordinary pages;
// the bar here does neither, and the control never keeps a hidden page current.

#include <QTabBar>
#include <QTabWidget>

class TPageTabBar : public QTabBar {
    Q_OBJECT
public:
    explicit TPageTabBar(QWidget* parent = nullptr);
    // The next shown tab from `from` in `step` direction (+1 or -1), or -1; no wrap.
    int NextShownTab(int from, int step) const;

protected:
    void wheelEvent(QWheelEvent* event) override;
};

class TPageControl : public QTabWidget {
    Q_OBJECT
public:
    explicit TPageControl(QWidget* parent = nullptr);
    // Shows or hides a page's tab and tells accessibility clients that the tabs changed.
    void SetPageVisible(QWidget* page, bool visible);

private:
    // A hidden page that became current anyhow gives way to the page shown before it.
    void KeepShownPageCurrent(int index);
    int m_lastShown = -1;
};

// Registers the accessible interface of TPageTabBar (once, however often it is called).
void InstallPageTabBarAccessibility();
