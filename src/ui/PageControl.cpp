#include "PageControl.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QWheelEvent>

#include <cstdlib>
#include <map>

namespace {

// One tab of the bar, as a screen reader sees it: a page tab that can be pressed.
class AccessibleTab : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    AccessibleTab(QTabBar* bar, int index) : m_bar(bar), m_index(index) {}

    bool isValid() const override { return m_bar && m_index < m_bar->count(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_bar ? m_bar->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return m_bar ? QAccessible::queryAccessibleInterface(m_bar.data()) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override {
        if (!isValid()) return {};
        if (t == QAccessible::Name) {
            QString name = m_bar->accessibleTabName(m_index);
            if (name.isEmpty()) name = m_bar->tabText(m_index);
            return name.remove(QLatin1Char('&'));
        }
        if (t == QAccessible::Description) return m_bar->tabToolTip(m_index);
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!isValid()) return {};
        const QRect r = m_bar->tabRect(m_index);
        return QRect(m_bar->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override { return QAccessible::PageTab; }
    QAccessible::State state() const override {
        QAccessible::State s;
        if (!isValid()) return s;
        s.selectable = true;
        s.selected = m_bar->currentIndex() == m_index;
        s.disabled = !m_bar->isTabEnabled(m_index);
        s.invisible = !m_bar->isTabVisible(m_index) || !m_bar->isVisible();
        return s;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (name == pressAction() && isValid() && m_bar->isTabVisible(m_index) &&
            m_bar->isTabEnabled(m_index))
            m_bar->setCurrentIndex(m_index);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<QTabBar> m_bar;
    int m_index;
};

// The bar: its children are the tabs that are shown, in tab order, and nothing else.
class AccessibleTabBar : public QAccessibleWidget {
public:
    explicit AccessibleTabBar(QWidget* widget)
        : QAccessibleWidget(widget, QAccessible::PageTabList) {}
    ~AccessibleTabBar() override {
        for (const auto& [index, id] : m_tabs)
            QAccessible::deleteAccessibleInterface(id);
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && Bar()->currentIndex() >= 0)
            return Bar()->tabText(Bar()->currentIndex()).remove(QLatin1Char('&'));
        return QAccessibleWidget::text(t);
    }
    int childCount() const override {
        int shown = 0;
        for (int i = 0; i < Bar()->count(); ++i)
            shown += Bar()->isTabVisible(i) ? 1 : 0;
        return shown;
    }
    QAccessibleInterface* child(int index) const override {
        const int tab = TabOfChild(index);
        if (tab < 0) return nullptr;
        auto found = m_tabs.find(tab);
        if (found == m_tabs.end()) {
            auto* iface = new AccessibleTab(Bar(), tab);
            found = m_tabs.emplace(tab, QAccessible::registerAccessibleInterface(iface)).first;
        }
        return QAccessible::accessibleInterface(found->second);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (int i = 0; i < childCount(); ++i)
            if (this->child(i) == child) return i;
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        for (int i = 0; i < childCount(); ++i) {
            QAccessibleInterface* tab = child(i);
            if (tab && tab->rect().contains(x, y)) return tab;
        }
        return nullptr;
    }

private:
    QTabBar* Bar() const { return static_cast<QTabBar*>(widget()); }
    // The tab index of the n-th shown tab, or -1.
    int TabOfChild(int n) const {
        for (int i = 0; i < Bar()->count(); ++i)
            if (Bar()->isTabVisible(i) && n-- == 0) return i;
        return -1;
    }

    mutable std::map<int, QAccessible::Id> m_tabs;
};

QAccessibleInterface* PageTabBarFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("TPageTabBar") && object && object->isWidgetType())
        return new AccessibleTabBar(static_cast<QWidget*>(object));
    return nullptr;
}

} // namespace

TPageTabBar::TPageTabBar(QWidget* parent) : QTabBar(parent) {}

int TPageTabBar::NextShownTab(int from, int step) const {
    for (int i = from + step; i >= 0 && i < count(); i += step)
        if (isTabVisible(i) && isTabEnabled(i)) return i;
    return -1;
}

void TPageTabBar::wheelEvent(QWheelEvent* event) {
    // One notch, one shown page, as Qt's bar does, but never onto a hidden tab.  A touch
    // pad's pixel scrolling would scroll the strip, which has room for every tab here.
    const QPoint delta = event->angleDelta();
    const int notch = std::abs(delta.y()) >= std::abs(delta.x()) ? delta.y() : delta.x();
    if (notch != 0 && event->pixelDelta().isNull()) {
        const int next = NextShownTab(currentIndex(), notch > 0 ? -1 : 1);
        if (next >= 0) setCurrentIndex(next);
    }
    event->accept();
}

TPageControl::TPageControl(QWidget* parent) : QTabWidget(parent) {
    setTabBar(new TPageTabBar(this));
    connect(this, &QTabWidget::currentChanged, this, &TPageControl::KeepShownPageCurrent);
}

void TPageControl::SetPageVisible(QWidget* page, bool visible) {
    const int index = indexOf(page);
    if (index < 0 || isTabVisible(index) == visible) return;
    // A hidden tab is a disabled one too: Qt's keyboard stepping (Ctrl+Tab, the arrow
    // keys on the bar) skips disabled tabs in every version, hidden ones not in all.  Only
    // the bar's tab: the page's own controls keep their states.
    tabBar()->setTabEnabled(index, visible);
    setTabVisible(index, visible);
    QAccessibleEvent event(tabBar(), QAccessible::ObjectReorder);
    QAccessible::updateAccessibility(&event);
}

void TPageControl::KeepShownPageCurrent(int index) {
    if (index >= 0 && isTabVisible(index)) {
        m_lastShown = index;
        return;
    }
    // While a model's pages are arranged none may be shown for a moment; the window makes
    // a shown page current when it is done.
    int back =
        m_lastShown >= 0 && m_lastShown < count() && isTabVisible(m_lastShown) ? m_lastShown : -1;
    for (int i = 0; back < 0 && i < count(); ++i)
        if (isTabVisible(i)) back = i;
    if (back >= 0 && back != index) setCurrentIndex(back);
}

void InstallPageTabBarAccessibility() {
    // Qt keeps a list of factories; taking ours out first keeps it in the list once.
    QAccessible::removeFactory(PageTabBarFactory);
    QAccessible::installFactory(PageTabBarFactory);
}
