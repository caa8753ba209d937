#include "ShlfList.h"

#include <QCoreApplication>

constexpr std::array<const char*, ShlfTypeCount> ShlfTypeList{
    QT_TRANSLATE_NOOP("ShlfList", "Отключен"),        QT_TRANSLATE_NOOP("ShlfList", "Тревожный"),
    QT_TRANSLATE_NOOP("ShlfList", "Тихий тревожный"), QT_TRANSLATE_NOOP("ShlfList", "Пожарный"),
    QT_TRANSLATE_NOOP("ShlfList", "Служебный"),       QT_TRANSLATE_NOOP("ShlfList", "Охранный"),
    QT_TRANSLATE_NOOP("ShlfList", "Внутренний"),      QT_TRANSLATE_NOOP("ShlfList", "Дверной"),
};

// Ordered by event code, not by the three-digit Contact ID number.
constexpr std::array<EventEntry, EventCount> EventList{{
    {0x01, QT_TRANSLATE_NOOP("ShlfList", "100 - МЕД.ТРЕВОГА")},
    {0x02, QT_TRANSLATE_NOOP("ShlfList", "101 - МЕД.ВЫЗОВ")},
    {0x03, QT_TRANSLATE_NOOP("ShlfList", "102 - НЕТ МЕД.СООБ")},
    {0x04, QT_TRANSLATE_NOOP("ShlfList", "110 - ПОЖАР")},
    {0x05, QT_TRANSLATE_NOOP("ShlfList", "111 - ДАТЧИК ДЫМА")},
    {0x06, QT_TRANSLATE_NOOP("ShlfList", "112 - ВОЗГОРАНИЕ")},
    {0x07, QT_TRANSLATE_NOOP("ShlfList", "113 - ПРОРЫВ ВОДЫ")},
    {0x08, QT_TRANSLATE_NOOP("ShlfList", "114 - ТЕПЛ.ДАТЧИК")},
    {0x09, QT_TRANSLATE_NOOP("ShlfList", "115 - ПОЖАР.КНОПКА")},
    {0x0A, QT_TRANSLATE_NOOP("ShlfList", "116 - ТРУБОПРОВОД")},
    {0x0B, QT_TRANSLATE_NOOP("ShlfList", "117 - ДАТЧИК ПЛАМ.")},
    {0x0C, QT_TRANSLATE_NOOP("ShlfList", "118 - ПОЖ.ПРЕДУПР.")},
    {0x0D, QT_TRANSLATE_NOOP("ShlfList", "120 - ТРЕВ.КНОПКА")},
    {0x0F, QT_TRANSLATE_NOOP("ShlfList", "122 - Т.К.ТИХАЯ")},
    {0x10, QT_TRANSLATE_NOOP("ShlfList", "123 - Т.К.ГРОМКАЯ")},
    {0x11, QT_TRANSLATE_NOOP("ShlfList", "124 - ПРИНУЖД.ВХОД")},
    {0x12, QT_TRANSLATE_NOOP("ShlfList", "125 - ПРИНУЖД.ВЫХ.")},
    {0x13, QT_TRANSLATE_NOOP("ShlfList", "130 - ВТОРЖЕНИЕ")},
    {0x14, QT_TRANSLATE_NOOP("ShlfList", "131 - ПЕРИМЕТР")},
    {0x15, QT_TRANSLATE_NOOP("ShlfList", "132 - ВНУТРЕННЯЯ")},
    {0x16, QT_TRANSLATE_NOOP("ShlfList", "133 - 24Ч. ЗОНА")},
    {0x17, QT_TRANSLATE_NOOP("ShlfList", "134 - ВХОД/ВЫХОД")},
    {0x18, QT_TRANSLATE_NOOP("ShlfList", "135 - ПРОБЛ./ТРЕВ.")},
    {0x19, QT_TRANSLATE_NOOP("ShlfList", "136 - НАРУЖНАЯ")},
    {0x1A, QT_TRANSLATE_NOOP("ShlfList", "137 - ТАМПЕР ")},
    {0x1B, QT_TRANSLATE_NOOP("ShlfList", "138 - ПРЕДУПРЕЖД.")},
    {0x1C, QT_TRANSLATE_NOOP("ShlfList", "139 - ВЕРИФИКАТОР")},
    {0x1D, QT_TRANSLATE_NOOP("ShlfList", "140 - ОБЩ.ТРЕВОГА")},
    {0x1E, QT_TRANSLATE_NOOP("ShlfList", "141 - ШИНА ОБРЫВ")},
    {0x1F, QT_TRANSLATE_NOOP("ShlfList", "142 - ШИНА К.З.")},
    {0x20, QT_TRANSLATE_NOOP("ShlfList", "143 - ОТКАЗ РАСШ.")},
    {0x21, QT_TRANSLATE_NOOP("ShlfList", "144 - ТАМПЕР ДАТЧ.")},
    {0x22, QT_TRANSLATE_NOOP("ShlfList", "145 - ТАМПЕР РАСШ.")},
    {0x23, QT_TRANSLATE_NOOP("ShlfList", "146 - ТИХ.ВТОРЖЕН.")},
    {0x24, QT_TRANSLATE_NOOP("ShlfList", "147 - ОПРОС ДАТЧ.")},
    {0x25, QT_TRANSLATE_NOOP("ShlfList", "150 - НЕ ОХР.ЗОНА")},
    {0x26, QT_TRANSLATE_NOOP("ShlfList", "151 - ДАТЧИК ГАЗА")},
    {0x27, QT_TRANSLATE_NOOP("ShlfList", "152 - ОХЛАЖДЕНИЕ")},
    {0x28, QT_TRANSLATE_NOOP("ShlfList", "153 - ОТОПЛЕНИЕ")},
    {0x29, QT_TRANSLATE_NOOP("ShlfList", "154 - УТЕЧКА ВОДЫ")},
    {0x2A, QT_TRANSLATE_NOOP("ShlfList", "155 - ОБРЫВ ФОЛЬГИ")},
    {0x2B, QT_TRANSLATE_NOOP("ShlfList", "156 - ПРОБЛ.(СНЯТ)")},
    {0x2C, QT_TRANSLATE_NOOP("ShlfList", "157 - МАЛО ГАЗА ")},
    {0x2D, QT_TRANSLATE_NOOP("ShlfList", "158 - ВЫС.ТЕМПЕР.")},
    {0x2E, QT_TRANSLATE_NOOP("ShlfList", "159 - НИЗК.ТЕМПЕР.")},
    {0x2F, QT_TRANSLATE_NOOP("ShlfList", "161 - ВЕНТИЛЯЦИЯ")},
    {0x30, QT_TRANSLATE_NOOP("ShlfList", "162 - УГАРНЫЙ ГАЗ")},
    {0x31, QT_TRANSLATE_NOOP("ShlfList", "163 - УРОВЕНЬ ВОДЫ")},
    {0x32, QT_TRANSLATE_NOOP("ShlfList", "200 - ПОЖАР.КОНТР.")},
    {0x33, QT_TRANSLATE_NOOP("ShlfList", "201 - ДАВЛЕН.ВОДЫ")},
    {0x34, QT_TRANSLATE_NOOP("ShlfList", "202 - МАЛО СО2")},
    {0x35, QT_TRANSLATE_NOOP("ShlfList", "203 - ДАТЧ.ВЕНТИЛЯ")},
    {0x36, QT_TRANSLATE_NOOP("ShlfList", "204 - МАЛО ВОДЫ ")},
    {0x37, QT_TRANSLATE_NOOP("ShlfList", "205 - НАСОС ВКЛ. ")},
    {0x38, QT_TRANSLATE_NOOP("ShlfList", "206 - ОТКАЗ НАСОСА")},
    {0x39, QT_TRANSLATE_NOOP("ShlfList", "300 - АВАРИЯ")},
    {0x3A, QT_TRANSLATE_NOOP("ShlfList", "301 - СЕТЬ 220В ")},
    {0x3B, QT_TRANSLATE_NOOP("ShlfList", "302 - АКК.РАЗРЯЖЕН")},
    {0x3C, QT_TRANSLATE_NOOP("ShlfList", "303 - ОШИБКА RAM")},
    {0x3D, QT_TRANSLATE_NOOP("ShlfList", "304 - ОШИБКА ROM")},
    {0x3E, QT_TRANSLATE_NOOP("ShlfList", "305 - СБРОС СИСТ.")},
    {0x3F, QT_TRANSLATE_NOOP("ShlfList", "306 - ИЗМ.ПРОГРАММ")},
    {0x40, QT_TRANSLATE_NOOP("ShlfList", "307 - ОШИБКА ТЕСТА")},
    {0x41, QT_TRANSLATE_NOOP("ShlfList", "308 - СИСТ.ОТКЛЮЧ.")},
    {0x42, QT_TRANSLATE_NOOP("ShlfList", "309 - АКК.НЕИСПР.")},
    {0x43, QT_TRANSLATE_NOOP("ShlfList", "310 - ЗАЗЕМЛЕНИЕ")},
    {0x44, QT_TRANSLATE_NOOP("ShlfList", "311 - АКК.ОТСУТСТВ")},
    {0x45, QT_TRANSLATE_NOOP("ShlfList", "312 - ПЕРЕГРУЗК.БП")},
    {0x47, QT_TRANSLATE_NOOP("ShlfList", "320 - СИРЕНА/РЕЛЕ")},
    {0x48, QT_TRANSLATE_NOOP("ShlfList", "321 - СИРЕНА 1")},
    {0x49, QT_TRANSLATE_NOOP("ShlfList", "322 - СИРЕНА 2")},
    {0x4A, QT_TRANSLATE_NOOP("ShlfList", "323 - РЕЛЕ ТРЕВОГА")},
    {0x4B, QT_TRANSLATE_NOOP("ShlfList", "324 - РЕЛЕ НЕИСПР")},
    {0x4C, QT_TRANSLATE_NOOP("ShlfList", "325 - РЕЛЕ РЕВЕРС")},
    {0x4D, QT_TRANSLATE_NOOP("ShlfList", "326 - ОПОВЕЩАТЕЛЬ3")},
    {0x4E, QT_TRANSLATE_NOOP("ShlfList", "327 - ОПОВЕЩАТЕЛЬ4")},
    {0x4F, QT_TRANSLATE_NOOP("ShlfList", "330 - ПЕРИФЕРИЯ")},
    {0x50, QT_TRANSLATE_NOOP("ShlfList", "331 - ШИНА ОБРЫВ")},
    {0x51, QT_TRANSLATE_NOOP("ShlfList", "332 - ШИНА К.З.")},
    {0x52, QT_TRANSLATE_NOOP("ShlfList", "333 - РАСШИРИТЕЛЬ")},
    {0x53, QT_TRANSLATE_NOOP("ShlfList", "334 - ПОВТОРИТЕЛЬ")},
    {0x54, QT_TRANSLATE_NOOP("ShlfList", "335 - НЕТ БУМАГИ ")},
    {0x55, QT_TRANSLATE_NOOP("ShlfList", "336 - ПРИНТЕР")},
    {0x56, QT_TRANSLATE_NOOP("ShlfList", "337 - =ПИТ.РАСШ.")},
    {0x57, QT_TRANSLATE_NOOP("ShlfList", "338 - БАТАРЕЯ РАСШ")},
    {0x58, QT_TRANSLATE_NOOP("ShlfList", "339 - RESET РАСШ.")},
    {0x59, QT_TRANSLATE_NOOP("ShlfList", "341 - ТАМПЕР РАСШ.")},
    {0x5A, QT_TRANSLATE_NOOP("ShlfList", "342 - ~ПИТ.РАСШ.")},
    {0x5B, QT_TRANSLATE_NOOP("ShlfList", "343 - ТЕСТ РАСШ. ")},
    {0x5C, QT_TRANSLATE_NOOP("ShlfList", "344 - РАДИОПОМЕХИ ")},
    {0x5D, QT_TRANSLATE_NOOP("ShlfList", "350 - НЕТ СВЯЗИ")},
    {0x5E, QT_TRANSLATE_NOOP("ShlfList", "351 - ТФ ЛИНИЯ 1")},
    {0x5F, QT_TRANSLATE_NOOP("ShlfList", "352 - ТФ ЛИНИЯ 2")},
    {0x60, QT_TRANSLATE_NOOP("ShlfList", "353 - ПЕРЕДАТЧИК")},
    {0x61, QT_TRANSLATE_NOOP("ShlfList", "354 - СООБ.НЕ ДОСТ")},
    {0x62, QT_TRANSLATE_NOOP("ShlfList", "355 - ПОТЕРЯ РАДИО")},
    {0x63, QT_TRANSLATE_NOOP("ShlfList", "356 - ПОТЕРЯ ОПРОС")},
    {0x64, QT_TRANSLATE_NOOP("ShlfList", "357 - КСВ АНТЕННЫ")},
    {0x65, QT_TRANSLATE_NOOP("ShlfList", "370 - ШЛЕЙФ НЕИСПР")},
    {0x66, QT_TRANSLATE_NOOP("ShlfList", "371 - ШЛЕЙФ ОБРЫВ")},
    {0x67, QT_TRANSLATE_NOOP("ShlfList", "372 - ШЛЕЙФ К.З.")},
    {0x68, QT_TRANSLATE_NOOP("ShlfList", "373 - ПОЖ.ШЛ.НЕИСП")},
    {0x69, QT_TRANSLATE_NOOP("ShlfList", "374 - ТРЕВ.ПРИ ВЫХ")},
    {0x6A, QT_TRANSLATE_NOOP("ShlfList", "375 - ШЛ.Т.К.НЕИСП")},
    {0x6B, QT_TRANSLATE_NOOP("ShlfList", "376 - ШЛЕЙФ HOLDUP")},
    {0x6C, QT_TRANSLATE_NOOP("ShlfList", "377 - ПЕРЕМЕЖ.НЕИС")},
    {0x6D, QT_TRANSLATE_NOOP("ShlfList", "378 - СВЯЗАН.ЗОНЫ")},
    {0x6E, QT_TRANSLATE_NOOP("ShlfList", "380 - ПРОБЛЕМА")},
    {0x6F, QT_TRANSLATE_NOOP("ShlfList", "381 - РАДИОДАТЧИК")},
    {0x70, QT_TRANSLATE_NOOP("ShlfList", "382 - МОДУЛЬ РАСШ.")},
    {0x71, QT_TRANSLATE_NOOP("ShlfList", "383 - ТАМПЕР ДАТЧ.")},
    {0x72, QT_TRANSLATE_NOOP("ShlfList", "384 - БАТАРЕЯ ДАТ.")},
    {0x73, QT_TRANSLATE_NOOP("ShlfList", "385 - ДЫМ.ДАТ.ВЫС.")},
    {0x74, QT_TRANSLATE_NOOP("ShlfList", "386 - ДЫМ.ДАТ.НИЗК")},
    {0x75, QT_TRANSLATE_NOOP("ShlfList", "387 - ОХР.ДАТ.ВЫС.")},
    {0x76, QT_TRANSLATE_NOOP("ShlfList", "388 - ОХР.ДАТ.НИЗК")},
    {0x77, QT_TRANSLATE_NOOP("ShlfList", "389 - ДАТ.САМОДИАГ")},
    {0x78, QT_TRANSLATE_NOOP("ShlfList", "391 - ТАЙМЕР ДАТЧ.")},
    {0x79, QT_TRANSLATE_NOOP("ShlfList", "392 - ДРЕЙФ ЧАСТОТ")},
    {0x7A, QT_TRANSLATE_NOOP("ShlfList", "393 - ТЕХ.ОБСЛУЖ.")},
    {0x91, QT_TRANSLATE_NOOP("ShlfList", "461 - НЕПРАВ.КОД")},
    {0x95, QT_TRANSLATE_NOOP("ShlfList", "465 - Т.К.СБРОШЕНА")},
    {0x9C, QT_TRANSLATE_NOOP("ShlfList", "416 - ВЫГР. НА ПЦН")},
    {0x9F, QT_TRANSLATE_NOOP("ShlfList", "423 - ПРИН. ДОСТУП")},
    {0xA2, QT_TRANSLATE_NOOP("ShlfList", "426 - ДВЕРЬ РАЗБЛ.")},
    {0xA3, QT_TRANSLATE_NOOP("ShlfList", "427 - ДАТ.СОСТ.ДВ.")},
    {0xA4, QT_TRANSLATE_NOOP("ShlfList", "428 - УСТ.ЗАПР.ВЫХ")},
    {0xA8, QT_TRANSLATE_NOOP("ShlfList", "432 - РЕЛЕ НЕ СРАБ")},
    {0xA9, QT_TRANSLATE_NOOP("ShlfList", "433 - ЗАПР.ВХ.ШУНТ")},
    {0xAA, QT_TRANSLATE_NOOP("ShlfList", "434 - ДВ.ДАТЧ.ШУНТ")},
    {0xAB, QT_TRANSLATE_NOOP("ShlfList", "501 - СЧИТ.ОТКЛЮЧ.")},
    {0xAC, QT_TRANSLATE_NOOP("ShlfList", "520 - ЗВ/РЕЛЕ ОТКЛ")},
    {0xAD, QT_TRANSLATE_NOOP("ShlfList", "521 - СИРЕНА1 ОТКЛ")},
    {0xAE, QT_TRANSLATE_NOOP("ShlfList", "522 - СИРЕНА2 ОТКЛ")},
    {0xAF, QT_TRANSLATE_NOOP("ShlfList", "523 - РЕЛЕ ТР ОТКЛ")},
    {0xB0, QT_TRANSLATE_NOOP("ShlfList", "524 - РЕЛЕ НИ ОТКЛ")},
    {0xB1, QT_TRANSLATE_NOOP("ShlfList", "525 - РЕЛЕ РВ ОТКЛ")},
    {0xB2, QT_TRANSLATE_NOOP("ShlfList", "526 - ОПОВЕЩ3 ОТКЛ")},
    {0xB3, QT_TRANSLATE_NOOP("ShlfList", "527 - ОПОВЕЩ4 ОТКЛ")},
    {0xB4, QT_TRANSLATE_NOOP("ShlfList", "531 - МОДУЛЬ ДОБАВ")},
    {0xB5, QT_TRANSLATE_NOOP("ShlfList", "532 - МОДУЛЬ УДАЛ.")},
    {0xB6, QT_TRANSLATE_NOOP("ShlfList", "551 - ТФ КОММ.ОТКЛ")},
    {0xB7, QT_TRANSLATE_NOOP("ShlfList", "552 - РПД ОТКЛЮЧЕН")},
    {0xB8, QT_TRANSLATE_NOOP("ShlfList", "553 - УД.ЗАГР.ОТКЛ")},
    {0xB9, QT_TRANSLATE_NOOP("ShlfList", "570 - ОБХОД ЗОНЫ ")},
    {0xBA, QT_TRANSLATE_NOOP("ShlfList", "571 - ОБХ.ПОЖ.ЗОНЫ ")},
    {0xBB, QT_TRANSLATE_NOOP("ShlfList", "572 - ОБХ.24Ч ЗОНЫ")},
    {0xBC, QT_TRANSLATE_NOOP("ShlfList", "573 - ОБХ.ОХР.ЗОНЫ ")},
    {0xBE, QT_TRANSLATE_NOOP("ShlfList", "575 - ОБХ.ПЕРЕМЕЖ.")},
    {0xBF, QT_TRANSLATE_NOOP("ShlfList", "576 - ЗОН.ДОСТ.ШУН")},
    {0xC0, QT_TRANSLATE_NOOP("ShlfList", "577 - ОБХ.ЗОН ДОСТ")},
    {0xC1, QT_TRANSLATE_NOOP("ShlfList", "601 - РУЧНОЙ ТЕСТ")},
    {0xC2, QT_TRANSLATE_NOOP("ShlfList", "602 - ПЕРИОД.ТЕСТ")},
    {0xC3, QT_TRANSLATE_NOOP("ShlfList", "603 - РАДИО ТЕСТ")},
    {0xC5, QT_TRANSLATE_NOOP("ShlfList", "605 - ОТПР.СТАТУСА")},
    {0xC6, QT_TRANSLATE_NOOP("ShlfList", "606 - ГОЛОС.СВЯЗЬ")},
    {0xC8, QT_TRANSLATE_NOOP("ShlfList", "608 - ТЕСТ->НЕИСПР")},
    {0xC9, QT_TRANSLATE_NOOP("ShlfList", "609 - ВИДЕОПЕРЕДАЧ")},
    {0xCA, QT_TRANSLATE_NOOP("ShlfList", "611 - ТОЧКА ПРОВ.")},
    {0xCB, QT_TRANSLATE_NOOP("ShlfList", "612 - ТОЧК.НЕ ПРОВ")},
    {0xCC, QT_TRANSLATE_NOOP("ShlfList", "613 - ОХР.ЗОН.ПРОВ")},
    {0xCD, QT_TRANSLATE_NOOP("ShlfList", "614 - ПОЖ.ЗОН.ПРОВ")},
    {0xCE, QT_TRANSLATE_NOOP("ShlfList", "615 - Т.К. ПРОВЕР.")},
    {0xCF, QT_TRANSLATE_NOOP("ShlfList", "616 - ВЫЗОВ СЕРВИС")},
    {0xD0, QT_TRANSLATE_NOOP("ShlfList", "621 - ЖУРНАЛ ОЧИЩ.")},
    {0xD1, QT_TRANSLATE_NOOP("ShlfList", "622 - ЖУРНАЛ 50%")},
    {0xD2, QT_TRANSLATE_NOOP("ShlfList", "623 - ЖУРНАЛ 90%")},
    {0xD3, QT_TRANSLATE_NOOP("ShlfList", "624 - ЖУРНАЛ 100%")},
    {0xD5, QT_TRANSLATE_NOOP("ShlfList", "626 - ЧАСЫ НЕКОРР.")},
    {0xD6, QT_TRANSLATE_NOOP("ShlfList", "627 - ПРОГР.НАЧАТО")},
    {0xD7, QT_TRANSLATE_NOOP("ShlfList", "628 - ПРОГР.ЗАКОНЧ")},
    {0xD8, QT_TRANSLATE_NOOP("ShlfList", "629 - 32Ч МАРКЕР")},
    {0xD9, QT_TRANSLATE_NOOP("ShlfList", "630 - РАСПИС.ИЗМ.")},
    {0xDA, QT_TRANSLATE_NOOP("ShlfList", "631 - СБОЙ РАСПИС.")},
    {0xDB, QT_TRANSLATE_NOOP("ShlfList", "632 - РАСП.КД ИЗМ.")},
    {0xDC, QT_TRANSLATE_NOOP("ShlfList", "641 - КОНТР.ОХРАНЫ")},
    {0xDE, QT_TRANSLATE_NOOP("ShlfList", "651 - РЕЗЕРВ")},
    {0xE1, QT_TRANSLATE_NOOP("ShlfList", "654 - СИСТ.НЕАКТИВ")},
}};

namespace {

// Code -> event number, built from the forward table so the two can never disagree.
constexpr std::array<std::int16_t, 256> MakeReverse() {
    std::array<std::int16_t, 256> number{};
    for (auto& n : number) n = -1;
    for (std::size_t k = 0; k < EventList.size(); ++k)
        number[EventList[k].Code] = static_cast<std::int16_t>(k + 1);
    return number;
}
constexpr std::array<std::int16_t, 256> EventNumberByCode = MakeReverse();

// Default event code of each zone type 0..7.
constexpr std::array<std::uint8_t, ShlfTypeCount> DefaultEventCode{0xDE, 0x10, 0x0F, 0x04,
                                                                   0x25, 0x14, 0x15, 0x17};
constexpr std::uint8_t ReserveEventCode = 0xDE; // "651 - РЕЗЕРВ"

} // namespace

QString ShlfTypeName(int code) {
    if (code < 0 || code >= ShlfTypeCount) return {};
    return QString::fromUtf8(ShlfTypeList[static_cast<std::size_t>(code)]);
}

int ShlfTypeIndex(const QString& name) {
    for (int code = 0; code < ShlfTypeCount; ++code)
        if (name.compare(ShlfTypeName(code), Qt::CaseInsensitive) == 0) return code;
    // A name shown in the language the program speaks reads back as well.
    for (int code = 0; code < ShlfTypeCount; ++code)
        if (name.compare(ShlfTypeCaption(code), Qt::CaseInsensitive) == 0) return code;
    return -1;
}

QString EventText(int number) {
    if (number < 1 || number > EventCount) return {};
    return QString::fromUtf8(EventList[static_cast<std::size_t>(number - 1)].Text);
}

QString ShlfTypeCaption(int code) {
    if (code < 0 || code >= ShlfTypeCount) return {};
    return QCoreApplication::translate("ShlfList", ShlfTypeList[static_cast<std::size_t>(code)]);
}

QString EventCaption(int number) {
    if (number < 1 || number > EventCount) return {};
    return QCoreApplication::translate("ShlfList",
                                       EventList[static_cast<std::size_t>(number - 1)].Text);
}

int EventCodeOf(int number) {
    if (number < 1 || number > EventCount) return -1;
    return EventList[static_cast<std::size_t>(number - 1)].Code;
}

int EventNumberOf(std::uint8_t code) { return EventNumberByCode[code]; }

int DefaultEventOf(std::uint8_t typeCode) {
    const std::uint8_t code =
        typeCode < ShlfTypeCount ? DefaultEventCode[typeCode] : ReserveEventCode;
    return EventNumberOf(code);
}

static_assert(EventList.front().Code == 0x01 && EventList.back().Code == 0xE1);
