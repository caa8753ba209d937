<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="ru_RU">
<context>
    <name>ConfigSheet</name>
    <message>
        <source>Конфигурация прибора MZ-515</source>
        <translation>MZ-515 device configuration</translation>
    </message>
    <message>
        <source>Модель:</source>
        <translation>Model:</translation>
    </message>
    <message>
        <source>Файл:</source>
        <translation>File:</translation>
    </message>
    <message>
        <source>не сохранена в файл</source>
        <translation>not saved to a file</translation>
    </message>
    <message>
        <source>Дата:</source>
        <translation>Date:</translation>
    </message>
    <message>
        <source>Отпечаток:</source>
        <translation>Fingerprint:</translation>
    </message>
    <message>
        <source>Шлейфы и зоны</source>
        <translation>Loops and zones</translation>
    </message>
    <message>
        <source>№</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>Шлейф / зона</source>
        <translation>Loop / zone</translation>
    </message>
    <message>
        <source>Тип</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Событие</source>
        <translation>Event</translation>
    </message>
    <message>
        <source>Сброс питания</source>
        <translation>Power reset</translation>
    </message>
    <message>
        <source>Зоны выключенных расширителей не показаны: все они отключены (%1).</source>
        <translation>Zones of expanders that are switched off are not shown: all of them are disabled (%1).</translation>
    </message>
    <message>
        <source>Настройки</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Отпечаток %1 — контрольная сумма модели и конфигурации; тот же показывают журнал программы и «progmz515-cli show».</source>
        <translation>Fingerprint %1 — a checksum of the model and the configuration; the program's journal and “progmz515-cli show” show the same.</translation>
    </message>
    <message>
        <source>Запрограммировал:</source>
        <translation>Programmed by:</translation>
    </message>
    <message>
        <source>Подпись:</source>
        <translation>Signature:</translation>
    </message>
</context>
<context>
    <name>ExchangeJournal</name>
    <message>
        <source>нет ответа</source>
        <translation>no answer</translation>
    </message>
    <message>
        <source>записано с ошибками (%1)</source>
        <translation>written with errors (%1)</translation>
    </message>
    <message>
        <source>записано</source>
        <translation>written</translation>
    </message>
    <message>
        <source>отличается от записанного (%1)</source>
        <translation>differs from what was written (%1)</translation>
    </message>
    <message>
        <source>прочитано для сравнения</source>
        <translation>read for comparison</translation>
    </message>
    <message>
        <source>прочитано</source>
        <translation>read</translation>
    </message>
    <message>
        <source>перед открытием из журнала</source>
        <translation>before opening from the journal</translation>
    </message>
    <message>
        <source>перед открытием файла</source>
        <translation>before opening a file</translation>
    </message>
    <message>
        <source>перед чтением</source>
        <translation>before reading</translation>
    </message>
    <message>
        <source>перед завершением программы</source>
        <translation>before the program ended</translation>
    </message>
    <message>
        <source>перед сменой модели</source>
        <translation>before a model switch</translation>
    </message>
</context>
<context>
    <name>Journal</name>
    <message>
        <source>Чтение</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>Запись</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>В приборе после записи</source>
        <translation>In device after write</translation>
    </message>
    <message>
        <source>Правка</source>
        <translation>Edit</translation>
    </message>
</context>
<context>
    <name>SheetPrint</name>
    <message>
        <source>Не удалось записать файл "%1".<byte value="xd" />
%2</source>
        <translation>Could not write file "%1".<byte value="xd"/>
%2</translation>
    </message>
    <message>
        <source>Лист конфигурации не напечатан: принтер сообщил об ошибке.</source>
        <translation>The configuration sheet was not printed: the printer reported an error.</translation>
    </message>
    <message>
        <source>Документ PDF не создан.</source>
        <translation>The PDF document was not created.</translation>
    </message>
    <message>
        <source>Файл не записан целиком: нет места на диске или превышен допустимый размер файла.</source>
        <translation>The file was not written completely: the disk is full or the file size limit was exceeded.</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>Файлы конфигурации панели (*.cf8)</source>
        <translation>Panel configuration files (*.cf8)</translation>
    </message>
    <message>
        <source>Открыть файл конфигурации</source>
        <translation>Open configuration file</translation>
    </message>
    <message>
        <source>Сохранить настройки панели как</source>
        <translation>Save panel settings as</translation>
    </message>
    <message>
        <source>Сравнить с файлом</source>
        <translation>Compare with file</translation>
    </message>
    <message>
        <source>Текстовая форма конфигурации (*.yaml *.yml *.txt)</source>
        <translation>Configuration text form (*.yaml *.yml *.txt)</translation>
    </message>
    <message>
        <source>Экспорт в PDF</source>
        <translation>Export to PDF</translation>
    </message>
    <message>
        <source>Документ PDF (*.pdf)</source>
        <translation>PDF document (*.pdf)</translation>
    </message>
    <message>
        <source> расширителя %1</source>
        <translation> of expander %1</translation>
    </message>
    <message>
        <source>, зона </source>
        <translation>, zone </translation>
    </message>
    <message>
        <source>Тип шлейфа </source>
        <translation>Zone type </translation>
    </message>
    <message>
        <source>Код события </source>
        <translation>Event code </translation>
    </message>
    <message>
        <source>Сброс питания </source>
        <translation>Power reset </translation>
    </message>
    <message>
        <source>Язык</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Язык будет изменён при следующем запуске программы.</source>
        <translation>The language will change the next time the program starts.</translation>
    </message>
    <message>
        <source>Программируемое устройство</source>
        <translation>Device being programmed</translation>
    </message>
    <message>
        <source>Зонные расширители</source>
        <translation>Zone expanders</translation>
    </message>
    <message>
        <source>Вкл/Выкл</source>
        <translation>On/Off</translation>
    </message>
    <message>
        <source>Прибор</source>
        <translation>Device</translation>
    </message>
    <message>
        <source>Расширитель %1 вкл/выкл</source>
        <translation>Expander %1 on/off</translation>
    </message>
    <message>
        <source>Зона</source>
        <translation>Zone</translation>
    </message>
    <message>
        <source>Тип шлейфа</source>
        <translation>Zone type</translation>
    </message>
    <message>
        <source>Код события</source>
        <translation>Event code</translation>
    </message>
    <message>
        <source>Сброс</source>
        <translation>Power</translation>
    </message>
    <message>
        <source>питания</source>
        <translation>reset</translation>
    </message>
    <message>
        <source>ШС%1:</source>
        <translation>L%1:</translation>
    </message>
    <message>
        <source>Тип шлейфа ШС%1</source>
        <translation>Zone type L%1</translation>
    </message>
    <message>
        <source>Код события ШС%1</source>
        <translation>Event code L%1</translation>
    </message>
    <message>
        <source>Сброс питания ШС%1</source>
        <translation>Power reset L%1</translation>
    </message>
    <message>
        <source>Задержка, сек</source>
        <translation>Delay, s</translation>
    </message>
    <message>
        <source>Вход</source>
        <translation>Entry</translation>
    </message>
    <message>
        <source>Выход</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Задержка на вход, сек</source>
        <translation>Entry delay, s</translation>
    </message>
    <message>
        <source>Задержка на выход, сек</source>
        <translation>Exit delay, s</translation>
    </message>
    <message>
        <source>Тип прибора</source>
        <translation>Device type</translation>
    </message>
    <message>
        <source>Контроль канала связи</source>
        <translation>Channel check</translation>
    </message>
    <message>
        <source>Быстрый</source>
        <translation>Fast</translation>
    </message>
    <message>
        <source>Медленный</source>
        <translation>Slow</translation>
    </message>
    <message>
        <source>Период контроля</source>
        <translation>Channel check</translation>
    </message>
    <message>
        <source>канала, сек</source>
        <translation>period, s</translation>
    </message>
    <message>
        <source>Число посылок</source>
        <translation>Transmissions</translation>
    </message>
    <message>
        <source>по тревоге</source>
        <translation>on alarm</translation>
    </message>
    <message>
        <source>по изменению</source>
        <translation>on change</translation>
    </message>
    <message>
        <source>Уровень входа POW</source>
        <translation>POW input level</translation>
    </message>
    <message>
        <source>(при наличии сети 220 В)</source>
        <translation>(with 220 V mains present)</translation>
    </message>
    <message>
        <source>Расширители разделов</source>
        <translation>Partition expanders</translation>
    </message>
    <message>
        <source>Порт</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Прочитать</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>Записать</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>&amp;Файл</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Открыть...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>&amp;Сохранить</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>Сохранить &amp;как...</source>
        <translation>Save &amp;as...</translation>
    </message>
    <message>
        <source>С&amp;ервис</source>
        <translation>&amp;Service</translation>
    </message>
    <message>
        <source>Список шлейфов...</source>
        <translation>Loop list...</translation>
    </message>
    <message>
        <source>&amp;Помощь</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>О программе...</source>
        <translation>About...</translation>
    </message>
    <message>
        <source>Сравнить с файлом...</source>
        <translation>Compare with file...</translation>
    </message>
    <message>
        <source>Печать...</source>
        <translation>Print...</translation>
    </message>
    <message>
        <source>Экспорт в PDF...</source>
        <translation>Export to PDF...</translation>
    </message>
    <message>
        <source>Журнал...</source>
        <translation>Journal...</translation>
    </message>
    <message>
        <source>Сравнить с прибором</source>
        <translation>Compare with device</translation>
    </message>
    <message>
        <source>Проверка конфигурации...</source>
        <translation>Configuration check...</translation>
    </message>
    <message>
        <source>Журнал не записывается, прочитанные и записанные конфигурации не сохраняются в нем.<byte value="xd" />
Чтение и запись приборов продолжаются как обычно.<byte value="xd" />
<byte value="xd" />
</source>
        <translation>The journal cannot be written; configurations read and written are not kept in it.<byte value="xd"/>
Reading and writing devices go on as usual.<byte value="xd"/>
<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>модель</source>
        <translation>model</translation>
    </message>
    <message>
        <source> хранит в точности эту конфигурацию.</source>
        <translation> holds exactly this configuration.</translation>
    </message>
    <message>
        <source> — другой модели: %1, здесь %2. Поля разных моделей не сравниваются.</source>
        <translation> — another model: %1, here %2. Fields of different models are not compared.</translation>
    </message>
    <message>
        <source> отличается от этой конфигурации (полей: %1).</source>
        <translation> differs from this configuration (fields: %1).</translation>
    </message>
    <message>
        <source>Поле</source>
        <translation>Field</translation>
    </message>
    <message>
        <source>Здесь</source>
        <translation>Here</translation>
    </message>
    <message>
        <source>Сравнение с файлом</source>
        <translation>Comparison with file</translation>
    </message>
    <message>
        <source>Файл %1</source>
        <translation>File %1</translation>
    </message>
    <message>
        <source>В файле</source>
        <translation>In file</translation>
    </message>
    <message>
        <source>Сравнение с прибором</source>
        <translation>Comparison with device</translation>
    </message>
    <message>
        <source>В приборе</source>
        <translation>In device</translation>
    </message>
    <message>
        <source>Проверка конфигурации</source>
        <translation>Configuration check</translation>
    </message>
    <message>
        <source>Замечаний нет: настройки согласованы между собой.</source>
        <translation>No warnings: the settings are consistent with each other.</translation>
    </message>
    <message>
        <source>Предупреждений: %1. Они ничего не запрещают: прибор примет конфигурацию и так.</source>
        <translation>Warnings: %1. They forbid nothing: the device will accept the configuration as it is.</translation>
    </message>
    <message>
        <source>Что не так</source>
        <translation>What is wrong</translation>
    </message>
    <message>
        <source>Что сделать</source>
        <translation>What to do</translation>
    </message>
    <message>
        <source>Сравнение с журналом</source>
        <translation>Comparison with journal</translation>
    </message>
    <message>
        <source>Запись журнала «%1» от %2</source>
        <translation>Journal entry “%1” from %2</translation>
    </message>
    <message>
        <source>В журнале</source>
        <translation>In journal</translation>
    </message>
    <message>
        <source>Лист конфигурации сохранен</source>
        <translation>Configuration sheet saved</translation>
    </message>
    <message>
        <source>Шлейфы</source>
        <translation>Loops</translation>
    </message>
    <message>
        <source>Радиоканал</source>
        <translation>Radio channel</translation>
    </message>
    <message>
        <source>Доп.входы</source>
        <translation>Extra inputs</translation>
    </message>
    <message>
        <source>Доп.разделы</source>
        <translation>Extra partitions</translation>
    </message>
    <message>
        <source>Настройка приборов охранной сигнализации MZ-515:<byte value="xd" />
чтение, изменение и запись конфигурации<byte value="xd" />
через последовательный порт.</source>
        <translation>Setup of MZ-515 security alarm devices:<byte value="xd"/>
reading, editing and writing the configuration<byte value="xd"/>
through a serial port.</translation>
    </message>
</context>
<context>
    <name>TJournalDialog</name>
    <message>
        <source>Журнал</source>
        <translation>Journal</translation>
    </message>
    <message>
        <source>Журнал пуст: в нем появится каждая конфигурация, прочитанная из прибора или записанная в него.</source>
        <translation>The journal is empty: every configuration read from a device or written to one will appear in it.</translation>
    </message>
    <message>
        <source>Записей: %1, новые сверху.</source>
        <translation>Entries: %1, newest first.</translation>
    </message>
    <message>
        <source>Время</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Запись</source>
        <translation>Entry</translation>
    </message>
    <message>
        <source>Модель</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>Порт</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Версия</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Итог</source>
        <translation>Outcome</translation>
    </message>
    <message>
        <source>Отпечаток</source>
        <translation>Fingerprint</translation>
    </message>
    <message>
        <source>Открыть</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Сравнить</source>
        <translation>Compare</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>TListDialog</name>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>TPortBox</name>
    <message>
        <source>Описание: </source>
        <translation>Description: </translation>
    </message>
    <message>
        <source>Изготовитель: </source>
        <translation>Manufacturer: </translation>
    </message>
    <message>
        <source>Система не знает, что за устройство у этого порта</source>
        <translation>The system does not know what device is on this port</translation>
    </message>
</context>
<context>
    <name>ZoneReport</name>
    <message>
        <source>      Конфигурация шлейфов MZ-515KA8 (KB8,E8)</source>
        <translation>      Loop configuration MZ-515KA8 (KB8,E8)</translation>
    </message>
    <message>
        <source>      Конфигурация шлейфов MZ-515E2</source>
        <translation>      Loop configuration MZ-515E2</translation>
    </message>
    <message>
        <source>    -   -   -   -  Прибор -   -   -   -   -</source>
        <translation>    -   -   -   -  Device -   -   -   -   -</translation>
    </message>
    <message>
        <source> ШС Зона     Тип                    Код         Примечание</source>
        <translation> Lp Zone     Type                   Code        Note</translation>
    </message>
    <message>
        <source> (сброс)</source>
        <translation> (reset)</translation>
    </message>
    <message>
        <source>   -   -  -  Расширитель №%1 -   -   -   -</source>
        <translation>   -   -  -  Expander No. %1 -   -   -   -</translation>
    </message>
    <message>
        <source>знаки «%1» нельзя записать в кодировке Windows-1251</source>
        <translation>the characters “%1” cannot be written in the Windows-1251 encoding</translation>
    </message>
    <message>
        <source>%1: тип зоны %2 (байт 0x%3) не известен программе</source>
        <translation>%1: zone type %2 (byte 0x%3) is not known to the program</translation>
    </message>
    <message>
        <source>%1: код события 0x%2 не известен программе</source>
        <translation>%1: event code 0x%2 is not known to the program</translation>
    </message>
    <message>
        <source>Список шлейфов составлен не до конца: строка %1.<byte value="xd" />
%2.</source>
        <translation>The loop list is incomplete: line %1.<byte value="xd"/>
%2.</translation>
    </message>
    <message>
        <source>Шлейф %1</source>
        <translation>Loop %1</translation>
    </message>
    <message>
        <source>Зона %1 расширителя %2</source>
        <translation>Zone %1 of expander %2</translation>
    </message>
    <message>
        <source>Для этого прибора список шлейфов не составляется.</source>
        <translation>No loop list is made for this device.</translation>
    </message>
    <message>
        <source>Не удалось создать папку "%1"</source>
        <translation>Could not create folder "%1"</translation>
    </message>
    <message>
        <source>Нет папки, в которую можно записать отчет</source>
        <translation>There is no folder the report can be written to</translation>
    </message>
    <message>
        <source>Список шлейфов не создан.<byte value="xd" />
</source>
        <translation>The loop list was not created.<byte value="xd"/>
</translation>
    </message>
</context>
</TS>
