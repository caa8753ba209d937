// The floor that bench_startup measures the programmer against: a plain Qt window of the
// programmer's size with about as many widgets of the same kinds (a menu, a tab widget of
// four pages, eight rows of two drop-downs, the event one with 178 items, labels, check and
// radio boxes, fields, buttons, a status bar), built with nothing but Qt.  It reports its
// first paint through the same probe as the programmer.

#include "app/StartupProbe.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>

namespace {

template <class W, class... Args> W* Place(QWidget* parent, const QRect& where, Args&&... args) {
    W* w = new W(std::forward<Args>(args)..., parent);
    w->setGeometry(where);
    return w;
}

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

QFont Sized(const QWidget* w, int points) {
    QFont font = w->font();
    font.setPointSize(points);
    return font;
}

void FillLoopPage(QWidget* page) {
    auto* group = Place<QGroupBox>(page, QRect(4, 4, 544, 104), Text("Устройство"));
    Place<QLabel>(group, QRect(150, 20, 140, 18), Text("Расширители"));
    Place<QLabel>(group, QRect(80, 70, 60, 18), Text("Вкл/Выкл"));
    Place<QRadioButton>(group, QRect(12, 42, 80, 20), Text("Прибор"))->setChecked(true);
    for (int n = 1; n <= 8; ++n) {
        Place<QRadioButton>(group, QRect(150 + 44 * (n - 1), 42, 40, 20), QString::number(n));
        Place<QCheckBox>(group, QRect(150 + 44 * (n - 1), 70, 20, 20));
    }
    for (const auto& [text, x] : {std::pair{"Зона", 46}, {"Тип", 80}, {"Событие", 242}})
        Place<QLabel>(page, QRect(x, 130, 100, 18), Text(text));
    Place<QLabel>(page, QRect(404, 112, 52, 18), Text("Сброс"));
    Place<QLabel>(page, QRect(404, 130, 52, 18), Text("питания"));

    QStringList types;
    for (const char* t : {"Отключен", "Тревожный", "Тихий", "Пожарный", "Технологический",
                          "Охранный", "Внутренний", "Входной"})
        types << Text(t);
    QStringList events;
    for (int n = 1; n <= 178; ++n)
        events << Text("%1 Событие охранной сигнализации").arg(100 + n);
    for (int n = 1; n <= 8; ++n) {
        const int top = 152 + 32 * (n - 1);
        for (QLabel* label :
             {Place<QLabel>(page, QRect(4, top, 46, 24), Text("ШС%1:").arg(n)),
              Place<QLabel>(page, QRect(50, top, 26, 24), QStringLiteral("0%1").arg(n))})
            label->setFont(Sized(label, 12));
        Place<QComboBox>(page, QRect(78, top, 158, 24))->addItems(types);
        auto* event = Place<QComboBox>(page, QRect(240, top, 160, 24));
        event->addItems(events);
        event->setCurrentIndex(-1);
        Place<QCheckBox>(page, QRect(422, top, 22, 24));
    }
    Place<QLabel>(page, QRect(460, 130, 90, 18), Text("Задержка, сек"));
    Place<QLabel>(page, QRect(460, 152, 40, 24), Text("Вход"));
    Place<QLabel>(page, QRect(460, 184, 40, 24), Text("Выход"));
    QStringList delays;
    for (int s = 0; s <= 60; s += 5)
        delays << QString::number(s);
    auto* entry = Place<QComboBox>(page, QRect(500, 152, 48, 24));
    entry->addItems(delays);
    auto* exit = Place<QComboBox>(page, QRect(500, 184, 48, 24));
    exit->addItems({"0", "30", "60"});
    for (QComboBox* box : {entry, exit})
        box->setFont(Sized(box, 10));
}

void FillRadioPage(QWidget* page) {
    auto* group = Place<QGroupBox>(page, QRect(8, 8, 210, 84), Text("Контроль канала"));
    Place<QRadioButton>(group, QRect(12, 24, 180, 20), Text("Быстрый"));
    Place<QRadioButton>(group, QRect(12, 50, 180, 20), Text("Медленный"));
    for (int i = 0; i < 3; ++i) {
        Place<QLabel>(page, QRect(236, 12 + 44 * i, 130, 16), Text("Число посылок"));
        Place<QLabel>(page, QRect(236, 28 + 44 * i, 130, 16), Text("по тревоге"));
        Place<QSpinBox>(page, QRect(372, 17 + 44 * i, 56, 24))->setRange(1, 15);
    }
}

void FillInputPage(QWidget* page) {
    auto* group = Place<QGroupBox>(page, QRect(8, 8, 220, 104), Text("Активный уровень"));
    Place<QLabel>(group, QRect(14, 24, 200, 18), Text("(при наличии сети 220 В)"));
    Place<QRadioButton>(group, QRect(14, 48, 60, 20), QStringLiteral("'0'"));
    Place<QRadioButton>(group, QRect(14, 74, 60, 20), QStringLiteral("'1'"));
}

void FillRazdPage(QWidget* page) {
    auto* group = Place<QGroupBox>(page, QRect(8, 8, 420, 64), Text("Расширители разделов"));
    for (int n = 1; n <= 8; ++n)
        Place<QCheckBox>(group, QRect(90 + 40 * (n - 1), 28, 36, 20), QString::number(n));
    Place<QLabel>(group, QRect(14, 30, 70, 18), Text("Вкл/Выкл"));
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(Text("Программатор"));

    for (const auto& [menu, items] :
         {std::pair<const char*, QStringList>{
              "&Файл", {"&Открыть...", "&Сохранить", "Сохранить &как...", "-", "Выход"}},
          {"С&ервис", {"Список шлейфов..."}},
          {"&Помощь", {"О программе..."}}}) {
        QMenu* m = window.menuBar()->addMenu(Text(menu));
        for (const QString& item : items) {
            if (item == QLatin1String("-"))
                m->addSeparator();
            else
                m->addAction(item);
        }
    }

    auto* client = new QWidget;
    client->setFixedSize(670, 491);
    window.setCentralWidget(client);
    auto* modelLabel = Place<QLabel>(client, QRect(8, 12, 90, 18), Text("Тип прибора"));
    auto* models = Place<QComboBox>(client, QRect(104, 7, 456, 26));
    modelLabel->setFont(Sized(modelLabel, 10));
    models->setFont(Sized(models, 10));
    for (int row = 1; row <= 6; ++row)
        models->addItem(Text("Прибор MZ-515 модель %1").arg(row));

    auto* tabs = Place<QTabWidget>(client, QRect(4, 38, 556, 450));
    const char* captions[] = {"Шлейфы", "Радиоканал", "Доп.входы", "Доп.разделы"};
    void (*fillers[])(QWidget*) = {FillLoopPage, FillRadioPage, FillInputPage, FillRazdPage};
    for (int i = 0; i < 4; ++i) {
        auto* page = new QWidget;
        fillers[i](page);
        tabs->addTab(page, Text(captions[i]));
    }

    auto* panel = Place<QFrame>(client, QRect(564, 38, 102, 450));
    panel->setFrameShape(QFrame::StyledPanel);
    Place<QPushButton>(panel, QRect(4, 8, 94, 28), Text("Выход"));
    Place<QLabel>(panel, QRect(4, 54, 94, 18), Text("Порт"));
    auto* port = Place<QComboBox>(panel, QRect(4, 74, 94, 26));
    port->setEditable(true);
    port->addItem(QStringLiteral("ttyS0"));
    Place<QPushButton>(panel, QRect(4, 124, 94, 30), Text("Прочитать"));
    Place<QPushButton>(panel, QRect(4, 164, 94, 30), Text("Записать"));

    window.statusBar()->setSizeGripEnabled(false);
    window.statusBar()->setFixedHeight(20);

    InstallStartupProbe(&window);
    window.show();
    return app.exec();
}
