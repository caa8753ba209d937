<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="ru_RU">
<context>
    <name>AppTitle</name>
    <message>
        <source>Программатор MZ-515 v. 7.2</source>
        <translation>MZ-515 Programmer v. 7.2</translation>
    </message>
</context>
<context>
    <name>BookCli</name>
    <message>
        <source>progmz515-cli: сервер книги объектов не отвечает (%1); работа без связи, записей ждут отправки: %2</source>
        <translation>progmz515-cli: the site book's server does not answer (%1); working offline, records waiting to be sent: %2</translation>
    </message>
    <message>
        <source>в книге нет объекта «%1»</source>
        <translation>the book has no site “%1”</translation>
    </message>
    <message>
        <source>«%1» называет несколько объектов; укажите id</source>
        <translation>“%1” names several sites; give the id</translation>
    </message>
    <message>
        <source>у объекта «%1» нет прибора «%2»</source>
        <translation>site “%1” has no device “%2”</translation>
    </message>
    <message>
        <source>--site и --device указываются вместе</source>
        <translation>--site and --device go together</translation>
    </message>
    <message>
        <source>progmz515-cli: книга объектов не записывается: </source>
        <translation>progmz515-cli: the site book cannot be written: </translation>
    </message>
    <message>
        <source>в книге нет конфигураций прибора «%1» объекта «%2»</source>
        <translation>the book holds no configuration of device “%1” of site “%2”</translation>
    </message>
    <message>
        <source>последняя запись прибора «%1» не подходит модели %2</source>
        <translation>the latest record of device “%1” does not fit model %2</translation>
    </message>
    <message>
        <source>в книге нет прибора «%1» (ОБЪЕКТ/ПРИБОР)</source>
        <translation>the book has no device “%1” (SITE/DEVICE)</translation>
    </message>
</context>
<context>
    <name>CliCommon</name>
    <message>
        <source>progmz515-cli: стандартный вывод не записывается: </source>
        <translation>progmz515-cli: standard output cannot be written: </translation>
    </message>
    <message>
        <source>progmz515-cli: %1
Справка: %2</source>
        <translation>progmz515-cli: %1
Help: %2</translation>
    </message>
    <message>
        <source>неизвестный параметр «%1»</source>
        <translation>unknown option “%1”</translation>
    </message>
    <message>
        <source>после «%1» нужно значение</source>
        <translation>“%1” needs a value</translation>
    </message>
    <message>
        <source>параметр «%1» не принимает значения</source>
        <translation>option “%1” takes no value</translation>
    </message>
    <message>
        <source>значение «%1» пусто</source>
        <translation>the value of “%1” is empty</translation>
    </message>
    <message>
        <source>параметр «--%1» указан дважды</source>
        <translation>option “--%1” is given twice</translation>
    </message>
    <message>
        <source>лишний аргумент «%1»</source>
        <translation>unexpected argument “%1”</translation>
    </message>
    <message>
        <source>неизвестная модель «%1»; модели: %2</source>
        <translation>unknown model “%1”; models: %2</translation>
    </message>
</context>
<context>
    <name>CliFiles</name>
    <message>
        <source>«%1»: имя файла должно оканчиваться на .cf8 (файл конфигурации) или .yaml (текстовая форма)</source>
        <translation>“%1”: the file name must end in .cf8 (configuration file) or .yaml (text form)</translation>
    </message>
    <message>
        <source>не указан файл (-o ФАЙЛ)</source>
        <translation>no file given (-o FILE)</translation>
    </message>
    <message>
        <source>«%1» — это папка, а не файл</source>
        <translation>“%1” is a folder, not a file</translation>
    </message>
    <message>
        <source>папки «%1» нет</source>
        <translation>folder “%1” does not exist</translation>
    </message>
</context>
<context>
    <name>CmdBookFiles</name>
    <message>
        <source>объект «%1» есть в книге не один</source>
        <translation>the book holds more than one site “%1”</translation>
    </message>
    <message>
        <source>папки «%1» нет</source>
        <translation>there is no folder “%1”</translation>
    </message>
    <message>
        <source>%1: записей нет, пропущен</source>
        <translation>%1: no records, skipped</translation>
    </message>
    <message>
        <source>не указано, куда (-o)</source>
        <translation>no place to write to (-o)</translation>
    </message>
    <message>
        <source>укажите ОБЪЕКТ/ПРИБОР и файл конфигурации</source>
        <translation>give SITE/DEVICE and a configuration file</translation>
    </message>
    <message>
        <source>файл — конфигурация %1, а прибор «%2» — %3</source>
        <translation>the file is a configuration of %1, but device “%2” is %3</translation>
    </message>
    <message>
        <source>не указан прибор (ОБЪЕКТ/ПРИБОР)</source>
        <translation>no device given (SITE/DEVICE)</translation>
    </message>
</context>
<context>
    <name>CmdCheck</name>
    <message>
        <source>не указан файл конфигурации</source>
        <translation>no configuration file given</translation>
    </message>
    <message>
        <source>Замечаний нет.</source>
        <translation>No warnings.</translation>
    </message>
</context>
<context>
    <name>CmdConvert</name>
    <message>
        <source>нужны два файла: откуда и куда</source>
        <translation>two files are needed: from and to</translation>
    </message>
</context>
<context>
    <name>CmdDefaults</name>
    <message>
        <source>не указана модель: %1</source>
        <translation>no model given: %1</translation>
    </message>
</context>
<context>
    <name>CmdDiff</name>
    <message>
        <source>нужны два файла конфигурации</source>
        <translation>two configuration files are needed</translation>
    </message>
</context>
<context>
    <name>CmdHistory</name>
    <message>
        <source>не указан прибор (ОБЪЕКТ/ПРИБОР)</source>
        <translation>no device given (SITE/DEVICE)</translation>
    </message>
</context>
<context>
    <name>CmdPorts</name>
    <message>
        <source>Система не знает ни одного последовательного порта</source>
        <translation>The system knows no serial ports</translation>
    </message>
</context>
<context>
    <name>CmdRead</name>
    <message>
        <source>не указана модель (--model): %1</source>
        <translation>no model given (--model): %1</translation>
    </message>
    <message>
        <source>Файл сохранен</source>
        <translation>File saved</translation>
    </message>
</context>
<context>
    <name>CmdReport</name>
    <message>
        <source>не указан файл конфигурации</source>
        <translation>no configuration file given</translation>
    </message>
</context>
<context>
    <name>CmdShow</name>
    <message>
        <source>не указан файл конфигурации</source>
        <translation>no configuration file given</translation>
    </message>
    <message>
        <source>Отпечаток: </source>
        <translation>Fingerprint: </translation>
    </message>
</context>
<context>
    <name>CmdSite</name>
    <message>
        <source>	(удалён)</source>
        <translation>	(deleted)</translation>
    </message>
    <message>
        <source>не указано название объекта</source>
        <translation>no site name given</translation>
    </message>
    <message>
        <source>название объекта пусто</source>
        <translation>the site name is empty</translation>
    </message>
    <message>
        <source>номер объекта %1 уже есть в книге: «%2»</source>
        <translation>object number %1 is in the book already: “%2”</translation>
    </message>
    <message>
        <source>не указан объект</source>
        <translation>no site given</translation>
    </message>
    <message>
        <source>Объект: %1</source>
        <translation>Site: %1</translation>
    </message>
    <message>
        <source>Адрес: %1</source>
        <translation>Address: %1</translation>
    </message>
    <message>
        <source>Номер объекта: %1</source>
        <translation>Object number: %1</translation>
    </message>
    <message>
        <source>Контакт: %1</source>
        <translation>Contact: %1</translation>
    </message>
    <message>
        <source>Заметки: %1</source>
        <translation>Notes: %1</translation>
    </message>
    <message>
        <source>Id: %1%2</source>
        <translation>Id: %1%2</translation>
    </message>
    <message>
        <source> (удалён)</source>
        <translation> (deleted)</translation>
    </message>
    <message>
        <source>Приборы:</source>
        <translation>Devices:</translation>
    </message>
    <message>
        <source>последняя запись %1, %2, отпечаток %3</source>
        <translation>latest record %1, %2, fingerprint %3</translation>
    </message>
    <message>
        <source>записей нет</source>
        <translation>no records</translation>
    </message>
    <message>
        <source>не указано действие: list, add, show, delete, restore</source>
        <translation>no action given: list, add, show, delete, restore</translation>
    </message>
    <message>
        <source>неизвестное действие «%1»</source>
        <translation>unknown action “%1”</translation>
    </message>
    <message>
        <source>не указано действие add</source>
        <translation>no action add given</translation>
    </message>
    <message>
        <source>укажите объект и название прибора</source>
        <translation>give the site and the device's label</translation>
    </message>
    <message>
        <source>не указана модель (--model): %1</source>
        <translation>no model given (--model): %1</translation>
    </message>
    <message>
        <source>название прибора пусто</source>
        <translation>the device's label is empty</translation>
    </message>
    <message>
        <source>у объекта «%1» уже есть прибор «%2»</source>
        <translation>site “%1” has a device “%2” already</translation>
    </message>
</context>
<context>
    <name>CmdVerify</name>
    <message>
        <source>не указан файл конфигурации</source>
        <translation>no configuration file given</translation>
    </message>
    <message>
        <source>Прибор хранит то же, что файл</source>
        <translation>The device holds the same as the file</translation>
    </message>
    <message>
        <source>Прибор хранит не то, что файл:</source>
        <translation>The device holds something other than the file:</translation>
    </message>
</context>
<context>
    <name>CmdWrite</name>
    <message>
        <source>не указан файл конфигурации</source>
        <translation>no configuration file given</translation>
    </message>
    <message>
        <source>с --site и --expect запись идёт в один прибор: укажите один --port</source>
        <translation>with --site and --expect the write goes to one device: give one --port</translation>
    </message>
    <message>
        <source>--expect latest — только с --site</source>
        <translation>--expect latest needs --site</translation>
    </message>
    <message>
        <source>Прибор хранит не то, что ожидалось; запись не выполнена:</source>
        <translation>The device holds other than what was expected; nothing was written:</translation>
    </message>
</context>
<context>
    <name>Commands</name>
    <message>
        <source>определить модель прибора на порту</source>
        <translation>find the model of the device on a port</translation>
    </message>
    <message>
        <source>Находит модель прибора, не зная её: посылает запрос чтения каждой длины образа
(167, 23 и 10 байт) по одному разу, один за другим, и берёт первый ответивший
прибор. В прибор ничего не записывается. Модели с образом в 23 байта различаются
по коду, который называет прибор; два радиопередатчика отвечают одинаково, и
выводятся обе модели. Выводятся модель, версия прибора и время.

  --port ПОРТ     порт прибора
  --json          итог в JSON: models, version, ms, cause (почему нет ответа)
  --trace ФАЙЛ    записать все кадры обмена (время, направление, байты)
  --no-journal    не добавлять записи в журнал программы
</source>
        <translation>Finds the device's model without knowing it: sends a read request of each image length
(167, 23 and 10 bytes) once, one after the other, and takes the first device that
answers. Nothing is written to the device. The models with a 23-byte image are told
apart by the code the device names; the two radio transmitters answer alike, and both
models are printed. Prints the model, the device's version and the time taken.

  --port PORT     the device's port
  --json          the result in JSON: models, version, ms, cause (why no answer)
  --trace FILE    write every frame of the exchange (time, direction, bytes)
  --no-journal    add no entries to the program's journal
</translation>
    </message>
    <message>
        <source>--port ПОРТ [--json] [--trace ФАЙЛ] [--no-journal]</source>
        <translation>--port PORT [--json] [--trace FILE] [--no-journal]</translation>
    </message>
    <message>
        <source>проверить связь с прибором и составить отчёт</source>
        <translation>check the link to the device and make a report</translation>
    </message>
    <message>
        <source>Составляет один отчёт о порте и приборе для службы поддержки: версия программы и
система; порт, его адаптер и кто его держит; открытие и закрытие порта; одно
чтение прибора с временем ответа и тем, что пришло; если модель не отвечает (или
не указана) — запросы всех длин образа, как у detect; диагноз. В прибор ничего не
записывается. Код 0, если прибор ответил, 1 — если нет, 3 — порт не открылся.

  --port ПОРТ     порт прибора
  --model МОДЕЛЬ  модель, которую ждать (иначе она определяется)
  --json          отчёт в JSON
</source>
        <translation>Makes one report of the port and the device for support: the program's version and
the system; the port, its adapter and who holds it; opening and closing the port; one
read of the device with its reply time and what was heard; when the model does not
answer (or none is given), requests of every image length, as detect sends them; the
diagnosis. Nothing is written to the device. Exit code 0 when a device answered, 1 when
none did, 3 when the port did not open.

  --port PORT     the device's port
  --model MODEL   the model to expect (otherwise it is found)
  --json          the report in JSON
</translation>
    </message>
    <message>
        <source>--port ПОРТ [--model МОДЕЛЬ] [--json]</source>
        <translation>--port PORT [--model MODEL] [--json]</translation>
    </message>
    <message>
        <source>настройки, которые не будут работать как задумано</source>
        <translation>settings that will not work as intended</translation>
    </message>
    <message>
        <source>Проверяет конфигурацию из файла (.cf8 или текстовая форма), как «Проверка
конфигурации...» в окне программы: задержка на вход без дверного ШС1, дверной ШС1 без
задержки, включенный расширитель без зон и зоны выключенного расширителя, пожарная
зона с непожарным событием и наоборот (Contact ID 110..118), значения, которые окно не
может показать. Каждое предупреждение — одна строка: зона, что не так и что сделать.
Ничего не запрещает и не меняет. Код 0 без предупреждений, 1 с предупреждениями.
</source>
        <translation>Checks the configuration in a file (.cf8 or text form) as “Configuration
check...” does in the program window: an entry delay while loop 1 is no door, a door
loop 1 without a delay, an expander switched on without zones and zones of an expander
switched off, a fire zone with a non-fire event and the other way round (Contact ID
110..118), values the window cannot show. Each warning is one line: zone, what is wrong,
what to do. Forbids nothing, changes nothing. Exit code 0 without warnings, 1 with them.
</translation>
    </message>
    <message>
        <source>ФАЙЛ</source>
        <translation>FILE</translation>
    </message>
    <message>
        <source>из .cf8 в текстовую форму и обратно</source>
        <translation>from .cf8 to the text form and back</translation>
    </message>
    <message>
        <source>Переводит конфигурацию из одного вида в другой. Вид первого файла определяется по
содержимому, вид второго — по расширению: .cf8 или .yaml (.yml). Преобразование
точное: .cf8 → текст → .cf8 даёт те же байты.
</source>
        <translation>Converts a configuration from one form to the other. The form of the first file is
told by its content, that of the second by its extension: .cf8 or .yaml (.yml). The
conversion is exact: .cf8 → text → .cf8 gives the same bytes.
</translation>
    </message>
    <message>
        <source>ИЗ_ФАЙЛА В_ФАЙЛ</source>
        <translation>FROM_FILE TO_FILE</translation>
    </message>
    <message>
        <source>заводская конфигурация модели</source>
        <translation>factory configuration of a model</translation>
    </message>
    <message>
        <source>Записывает заводскую конфигурацию модели в файл: .cf8 или текстовую форму (.yaml), по
расширению имени.

  -o ФАЙЛ   куда записать
</source>
        <translation>Writes the factory configuration of a model to a file: .cf8 or the text form (.yaml),
by the name's extension.

  -o FILE   where to write
</translation>
    </message>
    <message>
        <source>МОДЕЛЬ -o ФАЙЛ</source>
        <translation>MODEL -o FILE</translation>
    </message>
    <message>
        <source>поля, которыми различаются две конфигурации</source>
        <translation>the fields in which two configurations differ</translation>
    </message>
    <message>
        <source>Сравнивает две конфигурации (.cf8 или текстовая форма) поле за полем и выводит
отличающиеся поля словами окна программы, по одному в строке, например
«ШС3: тип шлейфа — Охранный → Пожарный» (значение из первого файла → из второго).
Байты, которым не соответствует ни одно поле, называются по номеру. Конфигурации
разных моделей поле за полем не сравниваются: выводится одна строка
«модель — MZ515KA8 → MZ515KF». Код 0, если конфигурации совпадают, и 1, если
различаются.

  --json   то же в JSON: {"modelA", "modelB", "differences": [{"key", "zone",
           "name", "byte", "old", "new", "oldValue", "newValue"}, ...]}
</source>
        <translation>Compares two configurations (.cf8 or text form) field by field and prints the
differing fields in the program window's words, one per line, for example
“Loop 3: zone type — Burglary → Fire” (value from the first file → from the second).
Bytes that no field covers are named by their number. Configurations of different
models are not compared field by field: a single line is printed,
“model — MZ515KA8 → MZ515KF”. Exit code 0 if the configurations match, and 1 if
they differ.

  --json   the same in JSON: {"modelA", "modelB", "differences": [{"key", "zone",
           "name", "byte", "old", "new", "oldValue", "newValue"}, ...]}
</translation>
    </message>
    <message>
        <source>ФАЙЛ_А ФАЙЛ_Б [--json]</source>
        <translation>FILE_A FILE_B [--json]</translation>
    </message>
    <message>
        <source>последовательные порты системы</source>
        <translation>the system's serial ports</translation>
    </message>
    <message>
        <source>Выводит последовательные порты, которые знает система, по одному в строке: имя,
как его показывает список портов окна программы, путь к устройству, описание,
изготовитель и адаптер: семейство микросхемы, USB-идентификаторы изготовителя и
изделия (VID:PID), серийный номер и имя в /dev/serial/by-id («-», где системе это
неизвестно). Имя или путь годятся для --port.

  --json   то же в JSON: массив объектов с полями name, path, description,
           manufacturer, vendorId, productId, serialNumber, chip, driver, byId
           (null, где неизвестно)
</source>
        <translation>Lists the serial ports the system knows, one per line: the name as the port list
of the program window shows it, the device path, the description, the manufacturer
and the adapter: its chip family, the USB vendor and product IDs (VID:PID), its
serial number and its name in /dev/serial/by-id (“-” where the system does not know
it). The name or the path will do for --port.

  --json   the same in JSON: an array of objects with fields name, path, description,
           manufacturer, vendorId, productId, serialNumber, chip, driver, byId
           (null where not known)
</translation>
    </message>
    <message>
        <source>прочитать прибор в файл</source>
        <translation>read a device into a file</translation>
    </message>
    <message>
        <source>список шлейфов (отчёт окна программы)</source>
        <translation>loop list (the program window's report)</translation>
    </message>
    <message>
        <source>Составляет список шлейфов и зон конфигурации из файла (.cf8 или текстовая форма)
точно так же, как окно программы составляет Shlf.txt: в кодировке Windows-1251, строки
через CR LF. Без -o список выводится в стандартный вывод. Для передатчиков (MZ515KF,
MZ515KA) список не составляется.

  -o ФАЙЛ   куда записать список
  --utf8    в UTF-8 и с переводом строки LF, для чтения в терминале
</source>
        <translation>Makes the list of loops and zones of the configuration in a file (.cf8 or text form)
exactly as the program window makes Shlf.txt: in the Windows-1251 encoding, lines
ended by CR LF. Without -o the list goes to standard output. No list is made for the
transmitters (MZ515KF, MZ515KA).

  -o FILE   where to write the list
  --utf8    in UTF-8 with LF line ends, for reading in a terminal
</translation>
    </message>
    <message>
        <source>ФАЙЛ [-o ФАЙЛ] [--utf8]</source>
        <translation>FILE [-o FILE] [--utf8]</translation>
    </message>
    <message>
        <source>конфигурация из файла в виде текста</source>
        <translation>a file's configuration as text</translation>
    </message>
    <message>
        <source>Выводит конфигурацию из файла (.cf8 или текстовая форма) в текстовой форме: YAML с
моделью и всеми полями образа под постоянными английскими ключами, со значениями в
словах окна программы. Такой текст можно править и снова записать в прибор.
</source>
        <translation>Prints the configuration in a file (.cf8 or text form) in the text form: YAML with
the model and every field of the image under fixed English keys, the values in the
words of the Russian program window. Such a text can be edited and written back.
</translation>
    </message>
    <message>
        <source>сравнить прибор с файлом, ничего не записывая</source>
        <translation>compare a device with a file, writing nothing</translation>
    </message>
    <message>
        <source>записать файл в прибор (или в несколько сразу)</source>
        <translation>write a file to a device (or to several at once)</translation>
    </message>
    <message>
        <source>все записи прибора из книги объектов</source>
        <translation>every record of a device in the site book</translation>
    </message>
    <message>
        <source>Выводит записи прибора, новые первыми: время, вид (read, write, answer — ответ
прибора на запись, verify, draft), модель, отпечаток, итог, кто, где и через
какой порт. ОБЪЕКТ — название, номер объекта или id.

  --json            то же в JSON, с образом в шестнадцатеричном виде
  --database АДРЕС  файл SQLite или postgresql://...
</source>
        <translation>Prints a device's records, newest first: time, kind (read, write, answer — the
device's answer to a write, verify, draft), model, fingerprint, outcome, who, where
and through which port. SITE is a name, an object number or an id.

  --json            the same in JSON, with the image in hex
  --database PLACE  a SQLite file or postgresql://...
</translation>
    </message>
    <message>
        <source>ОБЪЕКТ/ПРИБОР [--json] [--database АДРЕС]</source>
        <translation>SITE/DEVICE [--json] [--database PLACE]</translation>
    </message>
    <message>
        <source>Читает конфигурацию прибора через порт и записывает её в файл: .cf8 или текстовую
форму (.yaml), по расширению имени. Если прибор с образом в 23 байта называет другую
модель (MZ515KB8, MZ515E8, MZ515E2), модель сменяется, как в окне программы, и файл
записывается для модели, которую назвал прибор. Версия прибора выводится вместе с
итогом.

  --port ПОРТ      порт прибора
  --model МОДЕЛЬ   модель прибора (с --site — модель прибора в книге); auto —
                   определить по ответу прибора
  -o ФАЙЛ          куда записать конфигурацию (с --site — не обязательно)
  --site ОБЪЕКТ    объект книги объектов (название, номер объекта или id) ...
  --device ПРИБОР  ... и его прибор: прочитанное добавляется к записям прибора
  --database АДРЕС книга объектов: файл SQLite или postgresql://...
  --trace ФАЙЛ     записать все кадры обмена (время, направление, байты)
  --no-journal     не добавлять записи в журнал программы
</source>
        <translation>Reads a device's configuration through the port and writes it to a file: .cf8 or the
text form (.yaml), by the name's extension. If a device with a 23-byte image names
another model (MZ515KB8, MZ515E8, MZ515E2), the model is switched as in the program
window and the file is written for the model the device named. The device's version
is printed with the result.

  --port PORT      the device's port
  --model MODEL    the device's model (with --site: the device's model in the book); auto:
                   find it from the device's answer
  -o FILE          where to write the configuration (optional with --site)
  --site SITE      a site of the site book (name, object number or id) ...
  --device DEVICE  ... and its device: what is read is added to the device's records
  --database PLACE the site book: a SQLite file or postgresql://...
  --trace FILE     record every frame of the exchange (time, direction, bytes)
  --no-journal     add no entries to the program's journal
</translation>
    </message>
    <message>
        <source>--port ПОРТ --model МОДЕЛЬ -o ФАЙЛ [--site ОБЪЕКТ --device ПРИБОР] [--trace ФАЙЛ] [--no-journal]</source>
        <translation>--port PORT --model MODEL -o FILE [--site SITE --device DEVICE] [--trace FILE] [--no-journal]</translation>
    </message>
    <message>
        <source>объекты книги объектов: список, добавление, просмотр</source>
        <translation>sites of the site book: list, add, show</translation>
    </message>
    <message>
        <source>Книга объектов хранит конфигурации приборов по объектам заказчиков: файл SQLite в
папке данных пользователя или общий сервер PostgreSQL (--database или настройка
database). ОБЪЕКТ — название, номер объекта или id.

  list [--search ТЕКСТ] [--deleted] [--json]  объекты, в которых есть ТЕКСТ
      (название, адрес, номер объекта, заметки, модель и название прибора; регистр
      не важен)
  add НАЗВАНИЕ [--address А] [--object N] [--contact К] [--notes Т]  новый объект;
      выводится его id
  show ОБЪЕКТ [--json]  поля объекта и его приборы с последними записями
  delete ОБЪЕКТ, restore ID  пометить объект удалённым и вернуть его
  --database АДРЕС  файл SQLite или postgresql://пользователь@узел:порт/база
</source>
        <translation>The site book keeps the devices' configurations under the customers' sites: a SQLite
file in the user's data folder or a PostgreSQL server the team shares (--database or
the setting database). SITE is a name, an object number or an id.

  list [--search TEXT] [--deleted] [--json]  the sites that contain TEXT
      (name, address, object number, notes, a device's model and label; in any
      letter case)
  add NAME [--address A] [--object N] [--contact C] [--notes T]  a new site; its id
      is printed
  show SITE [--json]  the site's fields and its devices with their latest records
  delete SITE, restore ID  mark a site deleted and bring it back
  --database PLACE  a SQLite file or postgresql://user@host:port/name
</translation>
    </message>
    <message>
        <source>list|add|show|delete|restore ...</source>
        <translation>list|add|show|delete|restore ...</translation>
    </message>
    <message>
        <source>добавить прибор к объекту книги объектов</source>
        <translation>add a device to a site of the site book</translation>
    </message>
    <message>
        <source>Добавляет к объекту прибор модели МОДЕЛЬ под названием ПРИБОР («Панель, 1 этаж»);
выводится его id. Команды read, write и verify с --site и --device записывают
свои обмены к нему.

  --model МОДЕЛЬ    модель прибора
  --database АДРЕС  файл SQLite или postgresql://...
</source>
        <translation>Adds a device of model MODEL labelled DEVICE (“Panel, 1st floor”) to a site; its id
is printed. The commands read, write and verify with --site and --device record
their exchanges under it.

  --model MODEL     the device's model
  --database PLACE  a SQLite file or postgresql://...
</translation>
    </message>
    <message>
        <source>add ОБЪЕКТ ПРИБОР --model МОДЕЛЬ [--database АДРЕС]</source>
        <translation>add SITE DEVICE --model MODEL [--database PLACE]</translation>
    </message>
    <message>
        <source>Читает прибор и сравнивает его конфигурацию с файлом (.cf8 или текстовая форма)
поле за полем. В прибор ничего не записывается. Файл сравнивается в том виде, в
каком его записала бы команда write. Код 0 только при полном совпадении; иначе
выводятся отличающиеся поля (файл → прибор) и код 1.

С --site и --device прочитанное добавляется к записям прибора в книге объектов;
без ФАЙЛА прибор сравнивается с последней записью книги.

  --port ПОРТ      порт прибора
  --site ОБЪЕКТ    объект книги объектов (название, номер объекта или id) ...
  --device ПРИБОР  ... и его прибор
  --database АДРЕС книга объектов: файл SQLite или postgresql://...
  --trace ФАЙЛ     записать все кадры обмена (время, направление, байты)
  --no-journal     не добавлять записи в журнал программы
</source>
        <translation>Reads a device and compares its configuration with a file (.cf8 or text form)
field by field. Nothing is written to the device. The file is compared as the
write command would write it. Exit code 0 only on a full match; otherwise the
differing fields are printed (file → device) and the exit code is 1.

With --site and --device what is read is added to the device's records in the site
book; without a FILE the device is compared with the book's latest record.

  --port PORT      the device's port
  --site SITE      a site of the site book (name, object number or id) ...
  --device DEVICE  ... and its device
  --database PLACE the site book: a SQLite file or postgresql://...
  --trace FILE     record every frame of the exchange (time, direction, bytes)
  --no-journal     add no entries to the program's journal
</translation>
    </message>
    <message>
        <source>--port ПОРТ [--site ОБЪЕКТ --device ПРИБОР] [--trace ФАЙЛ] [--no-journal] [ФАЙЛ]</source>
        <translation>--port PORT [--site SITE --device DEVICE] [--trace FILE] [--no-journal] [FILE]</translation>
    </message>
    <message>
        <source>--port ПОРТ [--port ПОРТ ...] [--site ОБЪЕКТ --device ПРИБОР] [--expect ФАЙЛ|latest] [--trace ФАЙЛ] [--no-journal] [ФАЙЛ]</source>
        <translation>--port PORT [--port PORT ...] [--site SITE --device DEVICE] [--expect FILE|latest] [--trace FILE] [--no-journal] [FILE]</translation>
    </message>
    <message>
        <source>файл конфигурации — в записи прибора книги объектов</source>
        <translation>a configuration file into a device's records in the site book</translation>
    </message>
    <message>
        <source>Добавляет конфигурацию из файла (.cf8 или текстовая форма) к записям прибора в книге
объектов как черновик (draft): подготовлена без прибора и в нём пока не хранится.
Модель файла должна быть моделью прибора. Выводится id записи; write --site ...
--device ... без файла запишет её в прибор. Папка, записанная командой export для
объекта, берётся целиком: объект — по таблице зон, приборы — по именам файлов.

  --database АДРЕС  файл SQLite или postgresql://...
</source>
        <translation>Adds the configuration in a file (.cf8 or text form) to a device's records in the site
book as a draft: prepared without the device and not held by it yet. The file's model
must be the device's. The record's id is printed; write --site ... --device ...
without a file writes it to the device. A folder that export wrote for a site is taken
whole: the site by its zone table, the devices by the files' names.

  --database PLACE  a SQLite file or postgresql://...
</translation>
    </message>
    <message>
        <source>ОБЪЕКТ/ПРИБОР ФАЙЛ | ПАПКА [--database АДРЕС]</source>
        <translation>SITE/DEVICE FILE | FOLDER [--database PLACE]</translation>
    </message>
    <message>
        <source>последняя запись прибора из книги объектов — в файл</source>
        <translation>a device's latest record in the site book into a file</translation>
    </message>
    <message>
        <source>Записывает конфигурацию последней записи прибора из книги объектов в файл:
.cf8 или текстовую форму (.yaml), по расширению имени. Для объекта (без
прибора) -o называет папку: в неё записываются последние конфигурации всех
его приборов (.cf8 и .yaml) и таблица зон объекта для пульта (CSV: объект,
номер объекта, прибор, зона, тип зоны, код и текст события Contact ID).

  -o ФАЙЛ|ПАПКА     куда записать
  --database АДРЕС  файл SQLite или postgresql://...
</source>
        <translation>Writes the configuration of a device's latest record in the site book to a file:
.cf8 or the text form (.yaml), by the name's extension. For a site (no device), -o
names a folder: each of its devices' latest configurations go there (.cf8 and .yaml),
with the site's zone table for the monitoring station (CSV: site, object number,
device, zone, zone type, Contact ID event code and text).

  -o FILE|FOLDER    where to write
  --database PLACE  a SQLite file or postgresql://...
</translation>
    </message>
    <message>
        <source>ОБЪЕКТ[/ПРИБОР] -o ФАЙЛ|ПАПКА [--database АДРЕС]</source>
        <translation>SITE[/DEVICE] -o FILE|FOLDER [--database PLACE]</translation>
    </message>
    <message>
        <source>Записывает конфигурацию из файла (.cf8 или текстовая форма) в прибор и проверяет
запись, как окно программы: прибор отвечает тем, что теперь хранит. С несколькими
--port запись идёт во все приборы одновременно; для каждого порта выводится строка
итога. Если прибор хранит не то, что записано, выводятся отличающиеся поля.

С --site и --device запись и ответ прибора добавляются к записям прибора в книге
объектов; без ФАЙЛА записывается последняя запись прибора. С --expect прибор сначала
читается и записывается, только если хранит ожидаемое (файл или latest — последнее,
что прибор хранил по книге); иначе выводятся отличающиеся поля и код 1.

  --port ПОРТ      порт прибора; можно указать несколько раз
  --site ОБЪЕКТ    объект книги объектов (название, номер объекта или id) ...
  --device ПРИБОР  ... и его прибор
  --expect ФАЙЛ|latest  записать, только если прибор хранит это
  --database АДРЕС книга объектов: файл SQLite или postgresql://...
  --trace ФАЙЛ     записать все кадры обмена (время, порт, направление, байты)
  --no-journal     не добавлять записи в журнал программы
</source>
        <translation>Writes the configuration in a file (.cf8 or text form) to a device and checks the
write as the program window does: the device answers with what it now holds. With
several --port the write goes to all the devices at once, with a result line for each
port. If a device holds other than what was written, the differing fields are printed.

With --site and --device the write and the device's answer are added to the device's
records in the site book; without a FILE the device's latest record is written. With
--expect the device is read first and written only when it holds what was expected
(a file, or latest: what the book last saw the device hold); otherwise the differing
fields are printed and the exit code is 1.

  --port PORT      the device's port; may be given several times
  --site SITE      a site of the site book (name, object number or id) ...
  --device DEVICE  ... and its device
  --expect FILE|latest  write only when the device holds this
  --database PLACE the site book: a SQLite file or postgresql://...
  --trace FILE     record every frame of the exchange (time, port, direction, bytes)
  --no-journal     add no entries to the program's journal
</translation>
    </message>
</context>
<context>
    <name>ConfigChecks</name>
    <message>
        <source>задержка на вход %1 сек не действует: ШС1 не дверной (%2)</source>
        <translation>the entry delay of %1 s has no effect: loop 1 is not an entry/exit door (%2)</translation>
    </message>
    <message>
        <source>Сделайте ШС1 дверным или установите задержку на вход 0.</source>
        <translation>Make loop 1 an entry/exit door or set the entry delay to 0.</translation>
    </message>
    <message>
        <source>дверной шлейф без задержки на вход: тревога сразу при входе</source>
        <translation>entry/exit door loop without an entry delay: alarm as soon as someone enters</translation>
    </message>
    <message>
        <source>Установите задержку на вход, за которую успевают снять охрану.</source>
        <translation>Set an entry delay long enough to disarm the system.</translation>
    </message>
    <message>
        <source>зона настроена (%1), но расширитель %2 выключен: она не используется</source>
        <translation>the zone is set up (%1), but expander %2 is switched off: it is not used</translation>
    </message>
    <message>
        <source>Включите расширитель %1 или отключите зону.</source>
        <translation>Switch expander %1 on or disable the zone.</translation>
    </message>
    <message>
        <source>Расширитель %1</source>
        <translation>Expander %1</translation>
    </message>
    <message>
        <source>расширитель включен, но все его зоны отключены</source>
        <translation>the expander is switched on, but all its zones are disabled</translation>
    </message>
    <message>
        <source>Настройте его зоны или выключите расширитель.</source>
        <translation>Set up its zones or switch the expander off.</translation>
    </message>
    <message>
        <source>пожарный шлейф передает событие «%1», а не пожарное</source>
        <translation>fire loop reports the event “%1”, not a fire event</translation>
    </message>
    <message>
        <source>Выберите пожарное событие (110..118).</source>
        <translation>Choose a fire event (110..118).</translation>
    </message>
    <message>
        <source>шлейф типа «%1» передает пожарное событие «%2»</source>
        <translation>loop of type “%1” reports the fire event “%2”</translation>
    </message>
    <message>
        <source>Сделайте шлейф пожарным или выберите другое событие.</source>
        <translation>Make the loop a fire loop or choose another event.</translation>
    </message>
    <message>
        <source>%1 %2: окно не может показать это значение</source>
        <translation>%1 %2: the window cannot show this value</translation>
    </message>
    <message>
        <source>Выберите значение из списка заново.</source>
        <translation>Choose the value from the list again.</translation>
    </message>
    <message>
        <source>Введите значение заново.</source>
        <translation>Enter the value again.</translation>
    </message>
</context>
<context>
    <name>ConfigCompare</name>
    <message>
        <source>модель — %1 → %2</source>
        <translation>model — %1 → %2</translation>
    </message>
</context>
<context>
    <name>ConfigFile</name>
    <message>
        <source>Не выбран прибор, настройки которого можно сохранить.</source>
        <translation>No device is selected whose settings could be saved.</translation>
    </message>
    <message>
        <source>Устройство "</source>
        <translation>Device "</translation>
    </message>
    <message>
        <source>"<byte value="xd" />
не поддерживается</source>
        <translation>"<byte value="xd" />
is not supported</translation>
    </message>
</context>
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
    <name>ConfigStore</name>
    <message>
        <source>Это символическая ссылка другого пользователя в общей папке: по ней ничего не записывается.</source>
        <translation>It is another user's symbolic link in a shared folder: nothing is written through it.</translation>
    </message>
    <message>
        <source>Это не обычный файл (канал, устройство или папка): в него ничего не записывается.</source>
        <translation>It is not a regular file (a pipe, a device or a folder): nothing is written to it.</translation>
    </message>
    <message>
        <source>Не удалось записать файл "%1".<byte value="xd" />
%2</source>
        <translation>Could not write file "%1".<byte value="xd" />
%2</translation>
    </message>
    <message>
        <source>UTF-8 с BOM</source>
        <translation>UTF-8 with BOM</translation>
    </message>
    <message>
        <source>текст прочитан в кодировке %1</source>
        <translation>text read in the %1 encoding</translation>
    </message>
    <message>
        <source> (текст в кодировке %1)</source>
        <translation> (text in the %1 encoding)</translation>
    </message>
    <message>
        <source>текст в кодировке %1 поврежден: в нем есть байты, которые не составляют ее знаков</source>
        <translation>the text in the %1 encoding is damaged: it holds bytes that make none of its characters</translation>
    </message>
    <message>
        <source>Нет конфигурации модели "%1" для записи</source>
        <translation>No configuration of model "%1" to write</translation>
    </message>
    <message>
        <source>Файл не записан целиком: нет места на диске или превышен допустимый размер файла.</source>
        <translation>The file was not written completely: the disk is full or the file size limit was exceeded.</translation>
    </message>
</context>
<context>
    <name>DeviceCommand</name>
    <message>
        <source>не указан порт (--port)</source>
        <translation>no port given (--port)</translation>
    </message>
    <message>
        <source>эта команда работает с одним портом</source>
        <translation>this command works with one port</translation>
    </message>
    <message>
        <source>«%1» и «%2» — один и тот же порт %3</source>
        <translation>“%1” and “%2” are the same port %3</translation>
    </message>
    <message>
        <source>progmz515-cli: журнал не записывается: </source>
        <translation>progmz515-cli: the journal cannot be written: </translation>
    </message>
</context>
<context>
    <name>ExchangeJournal</name>
    <message>
        <source>перед открытием</source>
        <translation>before opening</translation>
    </message>
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
    <name>FieldTable</name>
    <message>
        <source>байт %1</source>
        <translation>byte %1</translation>
    </message>
    <message>
        <source>число посылок по тревоге</source>
        <translation>alarm transmission count</translation>
    </message>
    <message>
        <source>число посылок по изменению</source>
        <translation>change transmission count</translation>
    </message>
    <message>
        <source>период контроля канала, сек</source>
        <translation>channel check period, s</translation>
    </message>
    <message>
        <source>тип шлейфа</source>
        <translation>zone type</translation>
    </message>
    <message>
        <source>биты %1-%2 типа</source>
        <translation>type bits %1-%2</translation>
    </message>
    <message>
        <source>сброс питания</source>
        <translation>power reset</translation>
    </message>
    <message>
        <source>код события</source>
        <translation>event code</translation>
    </message>
    <message>
        <source>ШС%1</source>
        <translation>Loop %1</translation>
    </message>
    <message>
        <source>Зона %1</source>
        <translation>Zone %1</translation>
    </message>
    <message>
        <source>задержка на вход, сек</source>
        <translation>entry delay, s</translation>
    </message>
    <message>
        <source>задержка на выход, сек</source>
        <translation>exit delay, s</translation>
    </message>
    <message>
        <source>биты 6-7 байта задержек</source>
        <translation>delay byte bits 6-7</translation>
    </message>
    <message>
        <source>зонные расширители</source>
        <translation>zone expanders</translation>
    </message>
    <message>
        <source>расширители разделов</source>
        <translation>partition expanders</translation>
    </message>
    <message>
        <source>уровень входа POW</source>
        <translation>POW input level</translation>
    </message>
    <message>
        <source>контроль канала связи</source>
        <translation>channel check</translation>
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
        <source>биты 2-7 байта 4</source>
        <translation>byte 4 bits 2-7</translation>
    </message>
    <message>
        <source>да</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>нет</source>
        <translation>no</translation>
    </message>
</context>
<context>
    <name>FileTexts</name>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Ошибка чтения файла</source>
        <translation>File read error</translation>
    </message>
    <message>
        <source>Неверный формат файла</source>
        <translation>Invalid file format</translation>
    </message>
    <message>
        <source>Файл поврежден</source>
        <translation>File is damaged</translation>
    </message>
    <message>
        <source>Файл не найден</source>
        <translation>File not found</translation>
    </message>
    <message>
        <source>Невозможно окрыть файл.<byte value="xd" />
Возможно несоответствие версии или повреждение</source>
        <translation>Cannot open the file.<byte value="xd" />
The version may not match or the file may be damaged</translation>
    </message>
    <message>
        <source>Файл открыт</source>
        <translation>File opened</translation>
    </message>
    <message>
        <source>Файл сохранен</source>
        <translation>File saved</translation>
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
    <message>
        <source>Журнал "%1"</source>
        <translation>Journal "%1"</translation>
    </message>
    <message>
        <source>папка не создается</source>
        <translation>the folder cannot be created</translation>
    </message>
    <message>
        <source>занят другой программой</source>
        <translation>in use by another program</translation>
    </message>
    <message>
        <source>блокировка не создается</source>
        <translation>the lock cannot be made</translation>
    </message>
    <message>
        <source>оглавление не читается</source>
        <translation>the index cannot be read</translation>
    </message>
    <message>
        <source>Журнал</source>
        <translation>Journal</translation>
    </message>
</context>
<context>
    <name>Language</name>
    <message>
        <source>--lang: нет языка «%1»; возможны ru и en</source>
        <translation>--lang: no language “%1”; ru and en are possible</translation>
    </message>
    <message>
        <source>%1: нет языка «%2»; возможны ru и en</source>
        <translation>%1: no language “%2”; ru and en are possible</translation>
    </message>
</context>
<context>
    <name>LineTrace</name>
    <message>
        <source>не удалось записать файл трассировки "%1": %2</source>
        <translation>could not write the trace file "%1": %2</translation>
    </message>
</context>
<context>
    <name>Modules</name>
    <message>
        <source>Не удалось загрузить модуль программы %1: %2</source>
        <translation>Could not load the program module %1: %2</translation>
    </message>
    <message>
        <source>Файл %1 - не модуль этой версии программы (%2): переустановите программу</source>
        <translation>The file %1 is not a module of this version of the program (%2): reinstall the program</translation>
    </message>
    <message>
        <source>Не найден модуль программы %1: переустановите программу</source>
        <translation>The program module %1 was not found: reinstall the program</translation>
    </message>
    <message>
        <source>это не обычный файл</source>
        <translation>it is not a regular file</translation>
    </message>
    <message>
        <source>это не библиотека</source>
        <translation>it is not a library</translation>
    </message>
    <message>
        <source>файл повреждён или записан не до конца (%1 байт, нужно не меньше %2)</source>
        <translation>the file is damaged or was not written to the end (%1 bytes, at least %2 needed)</translation>
    </message>
    <message>
        <source>файл не читается</source>
        <translation>the file cannot be read</translation>
    </message>
</context>
<context>
    <name>MyConst</name>
    <message>
        <source>MZ-515KA8   (8 шлейфов + 8 расширителей зон)</source>
        <translation>MZ-515KA8   (8 loops + 8 zone expanders)</translation>
    </message>
    <message>
        <source>MZ-515KB8   (8 шлейфов, головной прибор с передатчиком)</source>
        <translation>MZ-515KB8   (8 loops, head unit with transmitter)</translation>
    </message>
    <message>
        <source>MZ-515E8   (8 шлейфов, расширитель разделов)</source>
        <translation>MZ-515E8   (8 loops, partition expander)</translation>
    </message>
    <message>
        <source>MZ-515E2   (2 шлейфа, расширитель разделов)</source>
        <translation>MZ-515E2   (2 loops, partition expander)</translation>
    </message>
    <message>
        <source>MZ-515KF   (передатчик на 2 шлейфа)</source>
        <translation>MZ-515KF   (2-loop transmitter)</translation>
    </message>
    <message>
        <source>MZ-515KA   (передатчик на 5 шлейфов)</source>
        <translation>MZ-515KA   (5-loop transmitter)</translation>
    </message>
    <message>
        <source>Внутренняя ошибка 1</source>
        <translation>Internal error 1</translation>
    </message>
    <message>
        <source>Ошибка. Прибор в списке не найден.:<byte value="xd" />
Обратитесь к разработчику</source>
        <translation>Error. Device not found in the list.:<byte value="xd" />
Please contact the developer</translation>
    </message>
    <message>
        <source>Внутренняя ошибка 2</source>
        <translation>Internal error 2</translation>
    </message>
    <message>
        <source>Ошибка. Прибор в списке не найден:newDevice)<byte value="xd" />
Обратитесь к разработчику</source>
        <translation>Error. Device not found in the list:newDevice)<byte value="xd" />
Please contact the developer</translation>
    </message>
</context>
<context>
    <name>PortOpenError</name>
    <message>
        <source>(порт не указан)</source>
        <translation>(no port given)</translation>
    </message>
    <message>
        <source>Нет прав на доступ к порту %1.</source>
        <translation>No permission to access port %1.</translation>
    </message>
    <message>
        <source>Последовательные порты доступны участникам группы dialout. Добавьте пользователя в эту группу (например, командой sudo usermod -aG dialout $USER) и войдите в систему заново: новая группа действует только после повторного входа.</source>
        <translation>Serial ports are open to members of the dialout group. Add the user to this group (for example with the command sudo usermod -aG dialout $USER) and log in again: a new group takes effect only after logging in again.</translation>
    </message>
    <message>
        <source>Порт %1 занят: его открыл в монопольном режиме процесс, который не удалось определить.</source>
        <translation>Port %1 is busy: a process that could not be identified has it open in exclusive mode.</translation>
    </message>
    <message>
        <source>Порт %1 занят другой программой: %2.</source>
        <translation>Port %1 is in use by another program: %2.</translation>
    </message>
    <message>
        <source>Закройте программу, которая работает с портом (терминал, другую копию программатора), или дождитесь конца её обмена и попробуйте снова.</source>
        <translation>Close the program that is using the port (a terminal, another copy of the programmer), or wait until its exchange ends and try again.</translation>
    </message>
    <message>
        <source>Устройство %1 не найдено.</source>
        <translation>Device %1 not found.</translation>
    </message>
    <message>
        <source>Адаптер не подключён или имя порта указано неверно. Подключите адаптер и выберите его порт из списка.</source>
        <translation>The adapter is not connected or the port name is wrong. Connect the adapter and choose its port from the list.</translation>
    </message>
    <message>
        <source>%1 не является последовательным портом.</source>
        <translation>%1 is not a serial port.</translation>
    </message>
    <message>
        <source>Выберите порт адаптера из списка.</source>
        <translation>Choose the adapter's port from the list.</translation>
    </message>
    <message>
        <source>Порт %1 не принимает настройки линии, нужные для связи с прибором.</source>
        <translation>Port %1 does not accept the line settings needed to talk to the device.</translation>
    </message>
    <message>
        <source>Выберите другой порт или адаптер.</source>
        <translation>Choose another port or adapter.</translation>
    </message>
    <message>
        <source>Система не дала открыть порт %1.</source>
        <translation>The system did not let port %1 be opened.</translation>
    </message>
    <message>
        <source>Сообщение системы: %1</source>
        <translation>System message: %1</translation>
    </message>
    <message>
        <source>неизвестной (на месте файла блокировки %1 лежит не обычный файл)</source>
        <translation>an unknown one (the lock file %1 is not a regular file)</translation>
    </message>
    <message>
        <source>Сервер %1 не найден: система не знает такого имени.</source>
        <translation>Server %1 not found: the system knows no such name.</translation>
    </message>
    <message>
        <source>Проверьте имя сервера или укажите его IP-адрес.</source>
        <translation>Check the server's name, or give its IP address.</translation>
    </message>
    <message>
        <source>Сервер %1 отказал в соединении: на TCP-порту %2 никто не ждёт подключений.</source>
        <translation>Server %1 refused the connection: nothing listens on TCP port %2.</translation>
    </message>
    <message>
        <source>Проверьте номер порта и что на сервере запущена служба порта (ser2net, преобразователь).</source>
        <translation>Check the port number and that the port service (ser2net, the converter) runs on the server.</translation>
    </message>
    <message>
        <source>Сервер %1 (TCP-порт %2) не ответил вовремя.</source>
        <translation>Server %1 (TCP port %2) did not answer in time.</translation>
    </message>
    <message>
        <source>Проверьте адрес, что сервер включён и доступен по сети и что брандмауэр пропускает соединение.</source>
        <translation>Check the address, that the server is on and reachable over the network, and that the firewall lets the connection through.</translation>
    </message>
    <message>
        <source>Порт на сервере %1 (TCP-порт %2) занят: к нему уже подключён другой клиент.</source>
        <translation>The port on server %1 (TCP port %2) is busy: another client is connected to it.</translation>
    </message>
    <message>
        <source>Дождитесь, пока другой клиент отключится, и попробуйте снова.</source>
        <translation>Wait until the other client disconnects, then try again.</translation>
    </message>
    <message>
        <source>Сервер %1 (TCP-порт %2) не управляет портом по RFC 2217.</source>
        <translation>Server %1 (TCP port %2) does not control its port by RFC 2217.</translation>
    </message>
    <message>
        <source>Если сервер работает как простой TCP-сервер, укажите порт в виде socket://%1:%2.</source>
        <translation>If the server works as a plain TCP server, give the port as socket://%1:%2.</translation>
    </message>
    <message>
        <source>Сервер %1 (TCP-порт %2) закрыл соединение.</source>
        <translation>Server %1 (TCP port %2) closed the connection.</translation>
    </message>
    <message>
        <source>Проверьте настройки порта на сервере и попробуйте снова.</source>
        <translation>Check the port's settings on the server, then try again.</translation>
    </message>
    <message>
        <source>Порт на сервере %1 не принимает настройки линии, нужные для связи с прибором.</source>
        <translation>The port on server %1 does not take the line settings the device needs.</translation>
    </message>
    <message>
        <source>Проверьте настройки порта на сервере.</source>
        <translation>Check the port's settings on the server.</translation>
    </message>
</context>
<context>
    <name>PortSession</name>
    <message>
        <source>Пришло: %1</source>
        <translation>Heard: %1</translation>
    </message>
    <message>
        <source>прервано сигналом %1</source>
        <translation>interrupted by signal %1</translation>
    </message>
    <message>
        <source>%1: прибор ответил как %2, а не %3; модель сменена на %2</source>
        <translation>%1: the device answered as %2, not %3; model switched to %2</translation>
    </message>
    <message>
        <source>«%1» не называет порт: укажите имя из списка (progmz515-cli ports), COMn, путь к устройству или адрес rfc2217://узел:порт либо socket://узел:порт</source>
        <translation>“%1” names no port: give a name from the list (progmz515-cli ports), COMn, a device path or an address rfc2217://host:port or socket://host:port</translation>
    </message>
</context>
<context>
    <name>SameFile</name>
    <message>
        <source>«%1» и «%2» — один и тот же файл: запись в него уничтожила бы то, что в нём есть</source>
        <translation>“%1” and “%2” are the same file: writing to it would destroy what it holds</translation>
    </message>
</context>
<context>
    <name>SetupUnit</name>
    <message>
        <source>файл больше %1 МиБ.</source>
        <translation>the file is larger than %1 MiB.</translation>
    </message>
    <message>
        <source>Настройки программы (%1) не прочитаны: %2 Действуют настройки по умолчанию, файл оставлен как есть.</source>
        <translation>The program settings (%1) were not read: %2 The default settings apply; the file is left as it is.</translation>
    </message>
    <message>
        <source>Не удалось сохранить параметр "%1" в настройках программы (%2).</source>
        <translation>Could not save the parameter "%1" in the program settings (%2).</translation>
    </message>
    <message>
        <source>Параметр "%1" в настройках программы (%2) хранится не как строка.</source>
        <translation>The parameter "%1" in the program settings (%2) is not stored as a string.</translation>
    </message>
</context>
<context>
    <name>SheetPrint</name>
    <message>
        <source>Не удалось записать файл "%1".<byte value="xd" />
%2</source>
        <translation>Could not write file "%1".<byte value="xd" />
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
    <name>ShlfList</name>
    <message>
        <source>Отключен</source>
        <translation>Disabled</translation>
    </message>
    <message>
        <source>Тревожный</source>
        <translation>Panic</translation>
    </message>
    <message>
        <source>Тихий тревожный</source>
        <translation>Silent panic</translation>
    </message>
    <message>
        <source>Пожарный</source>
        <translation>Fire</translation>
    </message>
    <message>
        <source>Служебный</source>
        <translation>24-hour auxiliary</translation>
    </message>
    <message>
        <source>Охранный</source>
        <translation>Burglary</translation>
    </message>
    <message>
        <source>Внутренний</source>
        <translation>Interior</translation>
    </message>
    <message>
        <source>Дверной</source>
        <translation>Entry/exit door</translation>
    </message>
    <message>
        <source>100 - МЕД.ТРЕВОГА</source>
        <translation>100 - Medical</translation>
    </message>
    <message>
        <source>101 - МЕД.ВЫЗОВ</source>
        <translation>101 - Pers. Emergency</translation>
    </message>
    <message>
        <source>102 - НЕТ МЕД.СООБ</source>
        <translation>102 - Fail to Report In</translation>
    </message>
    <message>
        <source>110 - ПОЖАР</source>
        <translation>110 - Fire</translation>
    </message>
    <message>
        <source>111 - ДАТЧИК ДЫМА</source>
        <translation>111 - Smoke</translation>
    </message>
    <message>
        <source>112 - ВОЗГОРАНИЕ</source>
        <translation>112 - Combustion</translation>
    </message>
    <message>
        <source>113 - ПРОРЫВ ВОДЫ</source>
        <translation>113 - Water Flow</translation>
    </message>
    <message>
        <source>114 - ТЕПЛ.ДАТЧИК</source>
        <translation>114 - Heat</translation>
    </message>
    <message>
        <source>115 - ПОЖАР.КНОПКА</source>
        <translation>115 - Pull Station</translation>
    </message>
    <message>
        <source>116 - ТРУБОПРОВОД</source>
        <translation>116 - Duct</translation>
    </message>
    <message>
        <source>117 - ДАТЧИК ПЛАМ.</source>
        <translation>117 - Flame</translation>
    </message>
    <message>
        <source>118 - ПОЖ.ПРЕДУПР.</source>
        <translation>118 - Fire Near Alarm</translation>
    </message>
    <message>
        <source>120 - ТРЕВ.КНОПКА</source>
        <translation>120 - Panic</translation>
    </message>
    <message>
        <source>122 - Т.К.ТИХАЯ</source>
        <translation>122 - Silent Panic</translation>
    </message>
    <message>
        <source>123 - Т.К.ГРОМКАЯ</source>
        <translation>123 - Audible Panic</translation>
    </message>
    <message>
        <source>124 - ПРИНУЖД.ВХОД</source>
        <translation>124 - Duress Access</translation>
    </message>
    <message>
        <source>125 - ПРИНУЖД.ВЫХ.</source>
        <translation>125 - Duress Egress</translation>
    </message>
    <message>
        <source>130 - ВТОРЖЕНИЕ</source>
        <translation>130 - Burglary</translation>
    </message>
    <message>
        <source>131 - ПЕРИМЕТР</source>
        <translation>131 - Perimeter</translation>
    </message>
    <message>
        <source>132 - ВНУТРЕННЯЯ</source>
        <translation>132 - Interior</translation>
    </message>
    <message>
        <source>133 - 24Ч. ЗОНА</source>
        <translation>133 - 24 Hour Zone</translation>
    </message>
    <message>
        <source>134 - ВХОД/ВЫХОД</source>
        <translation>134 - Entry/Exit</translation>
    </message>
    <message>
        <source>135 - ПРОБЛ./ТРЕВ.</source>
        <translation>135 - Day/Night</translation>
    </message>
    <message>
        <source>136 - НАРУЖНАЯ</source>
        <translation>136 - Outdoor</translation>
    </message>
    <message>
        <source>137 - ТАМПЕР </source>
        <translation>137 - Tamper</translation>
    </message>
    <message>
        <source>138 - ПРЕДУПРЕЖД.</source>
        <translation>138 - Near Alarm</translation>
    </message>
    <message>
        <source>139 - ВЕРИФИКАТОР</source>
        <translation>139 - Intrusion Verifier</translation>
    </message>
    <message>
        <source>140 - ОБЩ.ТРЕВОГА</source>
        <translation>140 - General Alarm</translation>
    </message>
    <message>
        <source>141 - ШИНА ОБРЫВ</source>
        <translation>141 - Poll Loop Open</translation>
    </message>
    <message>
        <source>142 - ШИНА К.З.</source>
        <translation>142 - Poll Loop Short</translation>
    </message>
    <message>
        <source>143 - ОТКАЗ РАСШ.</source>
        <translation>143 - Exp. Mod. Fail</translation>
    </message>
    <message>
        <source>144 - ТАМПЕР ДАТЧ.</source>
        <translation>144 - Sensor Tamper</translation>
    </message>
    <message>
        <source>145 - ТАМПЕР РАСШ.</source>
        <translation>145 - Exp. Tamper</translation>
    </message>
    <message>
        <source>146 - ТИХ.ВТОРЖЕН.</source>
        <translation>146 - Silent Burglary</translation>
    </message>
    <message>
        <source>147 - ОПРОС ДАТЧ.</source>
        <translation>147 - Sensor Superv.</translation>
    </message>
    <message>
        <source>150 - НЕ ОХР.ЗОНА</source>
        <translation>150 - 24 h Non-Burg.</translation>
    </message>
    <message>
        <source>151 - ДАТЧИК ГАЗА</source>
        <translation>151 - Gas Detected</translation>
    </message>
    <message>
        <source>152 - ОХЛАЖДЕНИЕ</source>
        <translation>152 - Refrigeration</translation>
    </message>
    <message>
        <source>153 - ОТОПЛЕНИЕ</source>
        <translation>153 - Loss of Heat</translation>
    </message>
    <message>
        <source>154 - УТЕЧКА ВОДЫ</source>
        <translation>154 - Water Leakage</translation>
    </message>
    <message>
        <source>155 - ОБРЫВ ФОЛЬГИ</source>
        <translation>155 - Foil Break</translation>
    </message>
    <message>
        <source>156 - ПРОБЛ.(СНЯТ)</source>
        <translation>156 - Day Trouble</translation>
    </message>
    <message>
        <source>157 - МАЛО ГАЗА </source>
        <translation>157 - Low Bottled Gas</translation>
    </message>
    <message>
        <source>158 - ВЫС.ТЕМПЕР.</source>
        <translation>158 - High Temp</translation>
    </message>
    <message>
        <source>159 - НИЗК.ТЕМПЕР.</source>
        <translation>159 - Low Temp</translation>
    </message>
    <message>
        <source>161 - ВЕНТИЛЯЦИЯ</source>
        <translation>161 - Loss of Air Flow</translation>
    </message>
    <message>
        <source>162 - УГАРНЫЙ ГАЗ</source>
        <translation>162 - Carbon Monoxide</translation>
    </message>
    <message>
        <source>163 - УРОВЕНЬ ВОДЫ</source>
        <translation>163 - Tank Level</translation>
    </message>
    <message>
        <source>200 - ПОЖАР.КОНТР.</source>
        <translation>200 - Fire Supervisory</translation>
    </message>
    <message>
        <source>201 - ДАВЛЕН.ВОДЫ</source>
        <translation>201 - Low Water Pres.</translation>
    </message>
    <message>
        <source>202 - МАЛО СО2</source>
        <translation>202 - Low CO2</translation>
    </message>
    <message>
        <source>203 - ДАТЧ.ВЕНТИЛЯ</source>
        <translation>203 - Gate Valve</translation>
    </message>
    <message>
        <source>204 - МАЛО ВОДЫ </source>
        <translation>204 - Low Water Level</translation>
    </message>
    <message>
        <source>205 - НАСОС ВКЛ. </source>
        <translation>205 - Pump Activated</translation>
    </message>
    <message>
        <source>206 - ОТКАЗ НАСОСА</source>
        <translation>206 - Pump Failure</translation>
    </message>
    <message>
        <source>300 - АВАРИЯ</source>
        <translation>300 - System Trouble</translation>
    </message>
    <message>
        <source>301 - СЕТЬ 220В </source>
        <translation>301 - AC Loss</translation>
    </message>
    <message>
        <source>302 - АКК.РАЗРЯЖЕН</source>
        <translation>302 - Low Sys. Batt.</translation>
    </message>
    <message>
        <source>303 - ОШИБКА RAM</source>
        <translation>303 - RAM Error</translation>
    </message>
    <message>
        <source>304 - ОШИБКА ROM</source>
        <translation>304 - ROM Error</translation>
    </message>
    <message>
        <source>305 - СБРОС СИСТ.</source>
        <translation>305 - System Reset</translation>
    </message>
    <message>
        <source>306 - ИЗМ.ПРОГРАММ</source>
        <translation>306 - Prog. Changed</translation>
    </message>
    <message>
        <source>307 - ОШИБКА ТЕСТА</source>
        <translation>307 - Self-Test Failure</translation>
    </message>
    <message>
        <source>308 - СИСТ.ОТКЛЮЧ.</source>
        <translation>308 - Sys. Shutdown</translation>
    </message>
    <message>
        <source>309 - АКК.НЕИСПР.</source>
        <translation>309 - Batt. Test Fail</translation>
    </message>
    <message>
        <source>310 - ЗАЗЕМЛЕНИЕ</source>
        <translation>310 - Ground Fault</translation>
    </message>
    <message>
        <source>311 - АКК.ОТСУТСТВ</source>
        <translation>311 - Battery Missing</translation>
    </message>
    <message>
        <source>312 - ПЕРЕГРУЗК.БП</source>
        <translation>312 - PSU Overcurrent</translation>
    </message>
    <message>
        <source>320 - СИРЕНА/РЕЛЕ</source>
        <translation>320 - Sounder/Relay</translation>
    </message>
    <message>
        <source>321 - СИРЕНА 1</source>
        <translation>321 - Bell 1</translation>
    </message>
    <message>
        <source>322 - СИРЕНА 2</source>
        <translation>322 - Bell 2</translation>
    </message>
    <message>
        <source>323 - РЕЛЕ ТРЕВОГА</source>
        <translation>323 - Alarm Relay</translation>
    </message>
    <message>
        <source>324 - РЕЛЕ НЕИСПР</source>
        <translation>324 - Trouble Relay</translation>
    </message>
    <message>
        <source>325 - РЕЛЕ РЕВЕРС</source>
        <translation>325 - Reversing Relay</translation>
    </message>
    <message>
        <source>326 - ОПОВЕЩАТЕЛЬ3</source>
        <translation>326 - NAC 3 Trouble</translation>
    </message>
    <message>
        <source>327 - ОПОВЕЩАТЕЛЬ4</source>
        <translation>327 - NAC 4 Trouble</translation>
    </message>
    <message>
        <source>330 - ПЕРИФЕРИЯ</source>
        <translation>330 - Sys. Peripheral</translation>
    </message>
    <message>
        <source>331 - ШИНА ОБРЫВ</source>
        <translation>331 - Poll Loop Open</translation>
    </message>
    <message>
        <source>332 - ШИНА К.З.</source>
        <translation>332 - Poll Loop Short</translation>
    </message>
    <message>
        <source>333 - РАСШИРИТЕЛЬ</source>
        <translation>333 - Exp. Mod. Fail</translation>
    </message>
    <message>
        <source>334 - ПОВТОРИТЕЛЬ</source>
        <translation>334 - Repeater Failure</translation>
    </message>
    <message>
        <source>335 - НЕТ БУМАГИ </source>
        <translation>335 - Printer Paper Out</translation>
    </message>
    <message>
        <source>336 - ПРИНТЕР</source>
        <translation>336 - Printer Failure</translation>
    </message>
    <message>
        <source>337 - =ПИТ.РАСШ.</source>
        <translation>337 - Exp. DC Loss</translation>
    </message>
    <message>
        <source>338 - БАТАРЕЯ РАСШ</source>
        <translation>338 - Exp. Low Batt.</translation>
    </message>
    <message>
        <source>339 - RESET РАСШ.</source>
        <translation>339 - Exp. Mod. Reset</translation>
    </message>
    <message>
        <source>341 - ТАМПЕР РАСШ.</source>
        <translation>341 - Exp. Tamper</translation>
    </message>
    <message>
        <source>342 - ~ПИТ.РАСШ.</source>
        <translation>342 - Exp. AC Loss</translation>
    </message>
    <message>
        <source>343 - ТЕСТ РАСШ. </source>
        <translation>343 - Exp. Self-Test Fail</translation>
    </message>
    <message>
        <source>344 - РАДИОПОМЕХИ </source>
        <translation>344 - RF Jam Detected</translation>
    </message>
    <message>
        <source>350 - НЕТ СВЯЗИ</source>
        <translation>350 - Comm. Trouble</translation>
    </message>
    <message>
        <source>351 - ТФ ЛИНИЯ 1</source>
        <translation>351 - Telco 1 Fault</translation>
    </message>
    <message>
        <source>352 - ТФ ЛИНИЯ 2</source>
        <translation>352 - Telco 2 Fault</translation>
    </message>
    <message>
        <source>353 - ПЕРЕДАТЧИК</source>
        <translation>353 - LR Radio Fault</translation>
    </message>
    <message>
        <source>354 - СООБ.НЕ ДОСТ</source>
        <translation>354 - Comm. Failure</translation>
    </message>
    <message>
        <source>355 - ПОТЕРЯ РАДИО</source>
        <translation>355 - Radio Sup. Loss</translation>
    </message>
    <message>
        <source>356 - ПОТЕРЯ ОПРОС</source>
        <translation>356 - Polling Loss</translation>
    </message>
    <message>
        <source>357 - КСВ АНТЕННЫ</source>
        <translation>357 - LR Radio VSWR</translation>
    </message>
    <message>
        <source>370 - ШЛЕЙФ НЕИСПР</source>
        <translation>370 - Protection Loop</translation>
    </message>
    <message>
        <source>371 - ШЛЕЙФ ОБРЫВ</source>
        <translation>371 - Prot. Loop Open</translation>
    </message>
    <message>
        <source>372 - ШЛЕЙФ К.З.</source>
        <translation>372 - Prot. Loop Short</translation>
    </message>
    <message>
        <source>373 - ПОЖ.ШЛ.НЕИСП</source>
        <translation>373 - Fire Trouble</translation>
    </message>
    <message>
        <source>374 - ТРЕВ.ПРИ ВЫХ</source>
        <translation>374 - Exit Error Alarm</translation>
    </message>
    <message>
        <source>375 - ШЛ.Т.К.НЕИСП</source>
        <translation>375 - Panic Zone Trbl</translation>
    </message>
    <message>
        <source>376 - ШЛЕЙФ HOLDUP</source>
        <translation>376 - Hold-up Trouble</translation>
    </message>
    <message>
        <source>377 - ПЕРЕМЕЖ.НЕИС</source>
        <translation>377 - Swinger Trouble</translation>
    </message>
    <message>
        <source>378 - СВЯЗАН.ЗОНЫ</source>
        <translation>378 - Cross-zone Trbl</translation>
    </message>
    <message>
        <source>380 - ПРОБЛЕМА</source>
        <translation>380 - Sensor Trouble</translation>
    </message>
    <message>
        <source>381 - РАДИОДАТЧИК</source>
        <translation>381 - RF Sup. Loss</translation>
    </message>
    <message>
        <source>382 - МОДУЛЬ РАСШ.</source>
        <translation>382 - RPM Sup. Loss</translation>
    </message>
    <message>
        <source>383 - ТАМПЕР ДАТЧ.</source>
        <translation>383 - Sensor Tamper</translation>
    </message>
    <message>
        <source>384 - БАТАРЕЯ ДАТ.</source>
        <translation>384 - RF Low Battery</translation>
    </message>
    <message>
        <source>385 - ДЫМ.ДАТ.ВЫС.</source>
        <translation>385 - Smoke Det. High</translation>
    </message>
    <message>
        <source>386 - ДЫМ.ДАТ.НИЗК</source>
        <translation>386 - Smoke Det. Low</translation>
    </message>
    <message>
        <source>387 - ОХР.ДАТ.ВЫС.</source>
        <translation>387 - Burg. Det. High</translation>
    </message>
    <message>
        <source>388 - ОХР.ДАТ.НИЗК</source>
        <translation>388 - Burg. Det. Low</translation>
    </message>
    <message>
        <source>389 - ДАТ.САМОДИАГ</source>
        <translation>389 - Sensor Test Fail</translation>
    </message>
    <message>
        <source>391 - ТАЙМЕР ДАТЧ.</source>
        <translation>391 - Sensor Watch</translation>
    </message>
    <message>
        <source>392 - ДРЕЙФ ЧАСТОТ</source>
        <translation>392 - Drift Comp. Error</translation>
    </message>
    <message>
        <source>393 - ТЕХ.ОБСЛУЖ.</source>
        <translation>393 - Maint. Alert</translation>
    </message>
    <message>
        <source>461 - НЕПРАВ.КОД</source>
        <translation>461 - Wrong Code</translation>
    </message>
    <message>
        <source>465 - Т.К.СБРОШЕНА</source>
        <translation>465 - Panic Reset</translation>
    </message>
    <message>
        <source>416 - ВЫГР. НА ПЦН</source>
        <translation>416 - Download OK</translation>
    </message>
    <message>
        <source>423 - ПРИН. ДОСТУП</source>
        <translation>423 - Forced Access</translation>
    </message>
    <message>
        <source>426 - ДВЕРЬ РАЗБЛ.</source>
        <translation>426 - Door Propped</translation>
    </message>
    <message>
        <source>427 - ДАТ.СОСТ.ДВ.</source>
        <translation>427 - DSM Trouble</translation>
    </message>
    <message>
        <source>428 - УСТ.ЗАПР.ВЫХ</source>
        <translation>428 - RTE Trouble</translation>
    </message>
    <message>
        <source>432 - РЕЛЕ НЕ СРАБ</source>
        <translation>432 - Access Relay Fail</translation>
    </message>
    <message>
        <source>433 - ЗАПР.ВХ.ШУНТ</source>
        <translation>433 - Access RTE Shunt</translation>
    </message>
    <message>
        <source>434 - ДВ.ДАТЧ.ШУНТ</source>
        <translation>434 - DSM Shunt</translation>
    </message>
    <message>
        <source>501 - СЧИТ.ОТКЛЮЧ.</source>
        <translation>501 - Reader Disabled</translation>
    </message>
    <message>
        <source>520 - ЗВ/РЕЛЕ ОТКЛ</source>
        <translation>520 - Sndr/Relay Off</translation>
    </message>
    <message>
        <source>521 - СИРЕНА1 ОТКЛ</source>
        <translation>521 - Bell 1 Disabled</translation>
    </message>
    <message>
        <source>522 - СИРЕНА2 ОТКЛ</source>
        <translation>522 - Bell 2 Disabled</translation>
    </message>
    <message>
        <source>523 - РЕЛЕ ТР ОТКЛ</source>
        <translation>523 - Alarm Relay Off</translation>
    </message>
    <message>
        <source>524 - РЕЛЕ НИ ОТКЛ</source>
        <translation>524 - Trbl Relay Off</translation>
    </message>
    <message>
        <source>525 - РЕЛЕ РВ ОТКЛ</source>
        <translation>525 - Rev. Relay Off</translation>
    </message>
    <message>
        <source>526 - ОПОВЕЩ3 ОТКЛ</source>
        <translation>526 - NAC 3 Disabled</translation>
    </message>
    <message>
        <source>527 - ОПОВЕЩ4 ОТКЛ</source>
        <translation>527 - NAC 4 Disabled</translation>
    </message>
    <message>
        <source>531 - МОДУЛЬ ДОБАВ</source>
        <translation>531 - Module Added</translation>
    </message>
    <message>
        <source>532 - МОДУЛЬ УДАЛ.</source>
        <translation>532 - Module Removed</translation>
    </message>
    <message>
        <source>551 - ТФ КОММ.ОТКЛ</source>
        <translation>551 - Dialer Disabled</translation>
    </message>
    <message>
        <source>552 - РПД ОТКЛЮЧЕН</source>
        <translation>552 - Radio Xmtr Off</translation>
    </message>
    <message>
        <source>553 - УД.ЗАГР.ОТКЛ</source>
        <translation>553 - Remote D/L Off</translation>
    </message>
    <message>
        <source>570 - ОБХОД ЗОНЫ </source>
        <translation>570 - Zone Bypass</translation>
    </message>
    <message>
        <source>571 - ОБХ.ПОЖ.ЗОНЫ </source>
        <translation>571 - Fire Bypass</translation>
    </message>
    <message>
        <source>572 - ОБХ.24Ч ЗОНЫ</source>
        <translation>572 - 24h Bypass</translation>
    </message>
    <message>
        <source>573 - ОБХ.ОХР.ЗОНЫ </source>
        <translation>573 - Burglary Bypass</translation>
    </message>
    <message>
        <source>575 - ОБХ.ПЕРЕМЕЖ.</source>
        <translation>575 - Swinger Bypass</translation>
    </message>
    <message>
        <source>576 - ЗОН.ДОСТ.ШУН</source>
        <translation>576 - Access Shunt</translation>
    </message>
    <message>
        <source>577 - ОБХ.ЗОН ДОСТ</source>
        <translation>577 - Access Bypass</translation>
    </message>
    <message>
        <source>601 - РУЧНОЙ ТЕСТ</source>
        <translation>601 - Manual Test</translation>
    </message>
    <message>
        <source>602 - ПЕРИОД.ТЕСТ</source>
        <translation>602 - Periodic Test</translation>
    </message>
    <message>
        <source>603 - РАДИО ТЕСТ</source>
        <translation>603 - Periodic RF Test</translation>
    </message>
    <message>
        <source>605 - ОТПР.СТАТУСА</source>
        <translation>605 - Status Report</translation>
    </message>
    <message>
        <source>606 - ГОЛОС.СВЯЗЬ</source>
        <translation>606 - Listen-in</translation>
    </message>
    <message>
        <source>608 - ТЕСТ-&gt;НЕИСПР</source>
        <translation>608 - Test with Trouble</translation>
    </message>
    <message>
        <source>609 - ВИДЕОПЕРЕДАЧ</source>
        <translation>609 - Video Xmtr On</translation>
    </message>
    <message>
        <source>611 - ТОЧКА ПРОВ.</source>
        <translation>611 - Point Tested OK</translation>
    </message>
    <message>
        <source>612 - ТОЧК.НЕ ПРОВ</source>
        <translation>612 - Point Not Tested</translation>
    </message>
    <message>
        <source>613 - ОХР.ЗОН.ПРОВ</source>
        <translation>613 - Burg. Walk Test</translation>
    </message>
    <message>
        <source>614 - ПОЖ.ЗОН.ПРОВ</source>
        <translation>614 - Fire Walk Test</translation>
    </message>
    <message>
        <source>615 - Т.К. ПРОВЕР.</source>
        <translation>615 - Panic Walk Test</translation>
    </message>
    <message>
        <source>616 - ВЫЗОВ СЕРВИС</source>
        <translation>616 - Service Request</translation>
    </message>
    <message>
        <source>621 - ЖУРНАЛ ОЧИЩ.</source>
        <translation>621 - Event Log Reset</translation>
    </message>
    <message>
        <source>622 - ЖУРНАЛ 50%</source>
        <translation>622 - Log 50% Full</translation>
    </message>
    <message>
        <source>623 - ЖУРНАЛ 90%</source>
        <translation>623 - Log 90% Full</translation>
    </message>
    <message>
        <source>624 - ЖУРНАЛ 100%</source>
        <translation>624 - Log Overflow</translation>
    </message>
    <message>
        <source>626 - ЧАСЫ НЕКОРР.</source>
        <translation>626 - Bad Time/Date</translation>
    </message>
    <message>
        <source>627 - ПРОГР.НАЧАТО</source>
        <translation>627 - Prog. Mode Entry</translation>
    </message>
    <message>
        <source>628 - ПРОГР.ЗАКОНЧ</source>
        <translation>628 - Prog. Mode Exit</translation>
    </message>
    <message>
        <source>629 - 32Ч МАРКЕР</source>
        <translation>629 - 32 h Log Mark</translation>
    </message>
    <message>
        <source>630 - РАСПИС.ИЗМ.</source>
        <translation>630 - Schedule Change</translation>
    </message>
    <message>
        <source>631 - СБОЙ РАСПИС.</source>
        <translation>631 - Exc. Sched. Chg</translation>
    </message>
    <message>
        <source>632 - РАСП.КД ИЗМ.</source>
        <translation>632 - Acc. Sched. Chg</translation>
    </message>
    <message>
        <source>641 - КОНТР.ОХРАНЫ</source>
        <translation>641 - Senior Watch</translation>
    </message>
    <message>
        <source>651 - РЕЗЕРВ</source>
        <translation>651 - Reserved</translation>
    </message>
    <message>
        <source>654 - СИСТ.НЕАКТИВ</source>
        <translation>654 - System Inactivity</translation>
    </message>
</context>
<context>
    <name>SiteBook</name>
    <message>
        <source>адрес книги объектов «%1» не разбирается: %2</source>
        <translation>the site book's address “%1” does not parse: %2</translation>
    </message>
    <message>
        <source>пароль в адресе книги объектов не указывается: его берут из ~/.pgpass или переменной PGPASSWORD</source>
        <translation>no password goes in the site book's address: it is taken from ~/.pgpass or the variable PGPASSWORD</translation>
    </message>
    <message>
        <source>в адресе книги объектов «%1» не указана база данных (postgresql://пользователь@узел:порт/база)</source>
        <translation>the site book's address “%1” names no database (postgresql://user@host:port/name)</translation>
    </message>
    <message>
        <source>Книга объектов %1: %2</source>
        <translation>Site book %1: %2</translation>
    </message>
    <message>
        <source>нет такого объекта в книге</source>
        <translation>no such site in the book</translation>
    </message>
    <message>
        <source>нет такого прибора в книге</source>
        <translation>no such device in the book</translation>
    </message>
    <message>
        <source>Книга объектов %1 — не файл</source>
        <translation>Site book %1 is not a file</translation>
    </message>
    <message>
        <source>Книга объектов %1 не читается: %2</source>
        <translation>Site book %1 cannot be read: %2</translation>
    </message>
    <message>
        <source>Файл %1 — не книга объектов (не база данных SQLite); он оставлен как есть</source>
        <translation>File %1 is no site book (not a SQLite database); it was left as it is</translation>
    </message>
    <message>
        <source>Файл %1 повреждён или не является книгой объектов: %2; он оставлен как есть</source>
        <translation>File %1 is damaged or no site book: %2; it was left as it is</translation>
    </message>
    <message>
        <source>Файл %1 — база данных другой программы, не книга объектов; она оставлена как есть</source>
        <translation>File %1 is another program's database, not a site book; it was left as it is</translation>
    </message>
    <message>
        <source>Книга объектов %1 создана более новой версией программы (версия книги %2, эта программа знает до %3); обновите программу</source>
        <translation>Site book %1 was made by a newer version of the program (book version %2, this program knows up to %3); update the program</translation>
    </message>
    <message>
        <source>Книга объектов %1 не записывается (%2); она оставлена как есть</source>
        <translation>Site book %1 cannot be written (%2); it was left as it is</translation>
    </message>
    <message>
        <source>Не создаётся папка книги объектов %1</source>
        <translation>The site book's folder %1 cannot be made</translation>
    </message>
    <message>
        <source>Нет драйвера SQLite для книги объектов (пакет libqt6sql6-sqlite)</source>
        <translation>No SQLite driver for the site book (package libqt6sql6-sqlite)</translation>
    </message>
    <message>
        <source>Книга объектов %1 не открывается: %2</source>
        <translation>Site book %1 does not open: %2</translation>
    </message>
    <message>
        <source>Нет драйвера PostgreSQL для книги объектов (пакет libqt6sql6-psql)</source>
        <translation>No PostgreSQL driver for the site book (package libqt6sql6-psql)</translation>
    </message>
    <message>
        <source>книга создана более новой версией программы (версия книги %1, эта программа знает до %2); обновите программу</source>
        <translation>the book was made by a newer version of the program (book version %1, this program knows up to %2); update the program</translation>
    </message>
</context>
<context>
    <name>TExchange</name>
    <message>
        <source>Ошибка открытия порта</source>
        <translation>Port open error</translation>
    </message>
    <message>
        <source>Невозможно открыть последовательный порт.<byte value="xd" />
Выберите другой порт и попробуйте снова</source>
        <translation>Cannot open the serial port.<byte value="xd" />
Choose another port and try again</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Порт открыт</source>
        <translation>Port open</translation>
    </message>
    <message>
        <source>Данные получены</source>
        <translation>Data received</translation>
    </message>
    <message>
        <source>Проверка данных</source>
        <translation>Checking data</translation>
    </message>
    <message>
        <source>Есть ошибки записи в прибор. ( </source>
        <translation>There are errors writing to the device. ( </translation>
    </message>
    <message>
        <source> )<byte value="xd" />
проверьте конфигурацию</source>
        <translation> )<byte value="xd" />
check the configuration</translation>
    </message>
    <message>
        <source>Записано → в приборе:
</source>
        <translation>Written → in the device:
</translation>
    </message>
    <message>
        <source>Принято с ошибками</source>
        <translation>Accepted with errors</translation>
    </message>
    <message>
        <source>Настройки записаны</source>
        <translation>Settings written</translation>
    </message>
    <message>
        <source>Настройки прочитаны.</source>
        <translation>Settings read.</translation>
    </message>
    <message>
        <source>Настройки прочитаны, версия прибора - </source>
        <translation>Settings read, device version - </translation>
    </message>
    <message>
        <source>Нет связи, проверьте соединение или тип прибора</source>
        <translation>No connection, check the cable or the device type</translation>
    </message>
    <message>
        <source>Попытка </source>
        <translation>Attempt </translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>Объекты...</source>
        <translation>Sites...</translation>
    </message>
    <message>
        <source>Показывать изменения перед записью</source>
        <translation>Show the changes before a write</translation>
    </message>
    <message>
        <source>Книга объектов не записывается.</source>
        <translation>The site book cannot be written.</translation>
    </message>
    <message>
        <source>Обмен записывается в книгу: %1 / %2</source>
        <translation>Exchanges are recorded in the book: %1 / %2</translation>
    </message>
    <message>
        <source>Открыта запись от %1</source>
        <translation>Opened the record of %1</translation>
    </message>
    <message>
        <source>Прибор изменился</source>
        <translation>The device has changed</translation>
    </message>
    <message>
        <source>Прибор «%1» хранит не то, что в его последней записи от %2 (полей: %3).</source>
        <translation>The device “%1” holds something other than its last record of %2 (fields: %3).</translation>
    </message>
    <message>
        <source>В записи</source>
        <translation>In the record</translation>
    </message>
    <message>
        <source>У прибора «%1» ещё нет записей в книге: в него запишется вся конфигурация.</source>
        <translation>The device “%1” has no record in the book yet: the whole configuration will be written to it.</translation>
    </message>
    <message>
        <source>Запись ничего не изменит: по последней записи прибор «%1» хранит то же.</source>
        <translation>The write changes nothing: by its last record the device “%1” holds the same.</translation>
    </message>
    <message>
        <source>Запись изменит в приборе «%1» (полей: %2):</source>
        <translation>The write changes in the device “%1” (fields: %2):</translation>
    </message>
    <message>
        <source>Запись в прибор</source>
        <translation>Write to the device</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Определить прибор</source>
        <translation>Detect device</translation>
    </message>
    <message>
        <source>Проверка связи...</source>
        <translation>Link check...</translation>
    </message>
    <message>
        <source>Почему?</source>
        <translation>Why?</translation>
    </message>
    <message>
        <source>Почему нет связи</source>
        <translation>Why there is no link</translation>
    </message>
    <message>
        <source>Пришло: %1</source>
        <translation>Heard: %1</translation>
    </message>
    <message>
        <source>Выбрать %1 и прочитать</source>
        <translation>Pick %1 and read</translation>
    </message>
    <message>
        <source>Ответил радиопередатчик: %1 или %2. Какой это прибор?</source>
        <translation>A radio transmitter answered: %1 or %2. Which device is it?</translation>
    </message>
    <message>
        <source>Проверка связи</source>
        <translation>Link check</translation>
    </message>
    <message>
        <source>Отчёт о проверке связи</source>
        <translation>Link check report</translation>
    </message>
    <message>
        <source>Идёт проверка связи с прибором %1 на порту %2…</source>
        <translation>Checking the link to the %1 on port %2…</translation>
    </message>
    <message>
        <source>Копировать</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Сохранить...</source>
        <translation>Save...</translation>
    </message>
    <message>
        <source>Сохранить отчёт</source>
        <translation>Save the report</translation>
    </message>
    <message>
        <source>Текст (*.txt)</source>
        <translation>Text (*.txt)</translation>
    </message>
    <message>
        <source>Проверка связи: прибор отвечает</source>
        <translation>Link check: the device answers</translation>
    </message>
    <message>
        <source>Проверка связи: прибор не отвечает</source>
        <translation>Link check: the device does not answer</translation>
    </message>
    <message>
        <source>Адаптер %1 теперь на порту %2</source>
        <translation>Adapter %1 is now on port %2</translation>
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
        <translation>The journal cannot be written; configurations read and written are not kept in it.<byte value="xd" />
Reading and writing devices go on as usual.<byte value="xd" />
<byte value="xd" />
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
        <translation>Setup of MZ-515 security alarm devices:<byte value="xd" />
reading, editing and writing the configuration<byte value="xd" />
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
    <message>
        <source>Адаптер: </source>
        <translation>Adapter: </translation>
    </message>
    <message>
        <source>Серийный номер: </source>
        <translation>Serial number: </translation>
    </message>
    <message>
        <source>Драйвер: </source>
        <translation>Driver: </translation>
    </message>
</context>
<context>
    <name>TextForm</name>
    <message>
        <source>значение не указано</source>
        <translation>no value given</translation>
    </message>
    <message>
        <source>ожидалось одно значение</source>
        <translation>a single value was expected</translation>
    </message>
    <message>
        <source>«%1» не шестнадцатеричный код</source>
        <translation>“%1” is not a hexadecimal code</translation>
    </message>
    <message>
        <source>код %1 вне диапазона 0x0..%2</source>
        <translation>code %1 is outside the range 0x0..%2</translation>
    </message>
    <message>
        <source>; другое значение записывается кодом, например %1</source>
        <translation>; any other value is written as a code, for example %1</translation>
    </message>
    <message>
        <source>ожидался список номеров расширителей, например [1, 3]</source>
        <translation>a list of expander numbers was expected, for example [1, 3]</translation>
    </message>
    <message>
        <source>номер расширителя «%1» вне диапазона 1..8</source>
        <translation>expander number “%1” is outside the range 1..8</translation>
    </message>
    <message>
        <source>«%1» не число</source>
        <translation>“%1” is not a number</translation>
    </message>
    <message>
        <source>%1..%2 с шагом %3</source>
        <translation>%1..%2 in steps of %3</translation>
    </message>
    <message>
        <source>значение %1 вне диапазона %2</source>
        <translation>value %1 is outside the range %2</translation>
    </message>
    <message>
        <source>нет типа шлейфа «%1»</source>
        <translation>there is no zone type “%1”</translation>
    </message>
    <message>
        <source>тип «%1» не допускается в %2; допустимы: %3</source>
        <translation>type “%1” is not allowed in %2; allowed: %3</translation>
    </message>
    <message>
        <source>нет события «%1»</source>
        <translation>there is no event “%1”</translation>
    </message>
    <message>
        <source>ожидалось yes или no, а не «%1»</source>
        <translation>yes or no was expected, not “%1”</translation>
    </message>
    <message>
        <source>ожидалось %1, а не «%2»</source>
        <translation>%1 was expected, not “%2”</translation>
    </message>
    <message>
        <source> или </source>
        <translation> or </translation>
    </message>
    <message>
        <source>ожидался код 0x0..%1, а не «%2»</source>
        <translation>a code 0x0..%1 was expected, not “%2”</translation>
    </message>
    <message>
        <source>значение не читается</source>
        <translation>the value cannot be read</translation>
    </message>
    <message>
        <source>текст не в кодировке UTF-8</source>
        <translation>the text is not in UTF-8 encoding</translation>
    </message>
    <message>
        <source>текст не читается как YAML (%1)</source>
        <translation>the text cannot be read as YAML (%1)</translation>
    </message>
    <message>
        <source>текст слишком велик для конфигурации</source>
        <translation>the text is too large for a configuration</translation>
    </message>
    <message>
        <source>текст содержит нулевые байты</source>
        <translation>the text contains zero bytes</translation>
    </message>
    <message>
        <source>в тексте больше одной конфигурации (разделитель ---)</source>
        <translation>the text holds more than one configuration (separator ---)</translation>
    </message>
    <message>
        <source>ожидались строки «ключ: значение», начиная с format: %1</source>
        <translation>lines “key: value” were expected, starting with format: %1</translation>
    </message>
    <message>
        <source>ключ указан повторно</source>
        <translation>the key is given again</translation>
    </message>
    <message>
        <source>нет строки format: %1</source>
        <translation>no line format: %1</translation>
    </message>
    <message>
        <source>формат «%1» не поддерживается; ожидался %2</source>
        <translation>format “%1” is not supported; %2 was expected</translation>
    </message>
    <message>
        <source>не указана модель (model: MZ515KA8, ...)</source>
        <translation>no model given (model: MZ515KA8, ...)</translation>
    </message>
    <message>
        <source>модель «%1» не известна; известны: %2</source>
        <translation>model “%1” is not known; known models: %2</translation>
    </message>
    <message>
        <source>нет такого поля у модели %1</source>
        <translation>model %1 has no such field</translation>
    </message>
    <message>
        <source>ожидались поля «ключ: значение»</source>
        <translation>fields “key: value” were expected</translation>
    </message>
    <message>
        <source>строка %1</source>
        <translation>line %1</translation>
    </message>
    <message>
        <source>, столбец %1</source>
        <translation>, column %1</translation>
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
        <translation>The loop list is incomplete: line %1.<byte value="xd" />
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
        <translation>The loop list was not created.<byte value="xd" />
</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Использование: progmz515-cli КОМАНДА [ПАРАМЕТРЫ]

Программатор приборов MZ-515 без окна: чтение, запись и проверка приборов через
последовательный порт (можно нескольких сразу) и файлы конфигурации.

Команды:
</source>
        <translation>Usage: progmz515-cli COMMAND [OPTIONS]

The MZ-515 device programmer without a window: reads, writes and checks devices
through a serial port (several at once if need be) and configuration files.

Commands:
</translation>
    </message>
    <message>
        <source>Использование: progmz515-cli %1 %2

%3</source>
        <translation>Usage: progmz515-cli %1 %2

%3</translation>
    </message>
    <message>
        <source>неизвестная команда «%1»</source>
        <translation>unknown command “%1”</translation>
    </message>
    <message>
        <source>
ПОРТ — то же, что принимает поле порта в окне программы: имя из списка портов
(ttyUSB0), COMn, путь к устройству (/dev/pts/4) или порт сетевого сервера
(rfc2217://узел:порт по RFC 2217, socket://узел:порт — простой TCP).
МОДЕЛЬ — одна из: %1.
Файл конфигурации — .cf8 или текстовая форма; какой из них, видно по содержимому.
Ход обмена («Порт открыт», «Попытка 2», ...) выводится в поток ошибок, итог — в
стандартный вывод. Файлы записываются целиком или не записываются вовсе.
Прочитанные и записанные конфигурации сохраняются в журнал программы, как в окне.

Код завершения:
  0  выполнено
  1  прибор не ответил или хранит не то; конфигурации различаются
  2  ошибка в командной строке или в файле
  3  порт не открывается
  128+N  прервано сигналом N (130 — Ctrl+C); порты закрыты

progmz515-cli КОМАНДА --help — справка по команде.</source>
        <translation>
PORT — what the port field of the program window takes: a name from the port list
(ttyUSB0), COMn, a device path (/dev/pts/4) or a port of a network server
(rfc2217://host:port by RFC 2217, socket://host:port for plain TCP).
MODEL — one of: %1.
Configuration file — .cf8 or the text form; which of the two is told by its content.
The course of an exchange (“Port open”, “Attempt 2”, ...) goes to standard error,
the result to standard output. Files are written whole or not at all.
Configurations read and written are kept in the program's journal, as in the window.

Exit code:
  0  done
  1  the device did not answer or holds something else; the configurations differ
  2  error in the command line or in a file
  3  the port does not open
  128+N  interrupted by signal N (130 — Ctrl+C); ports closed

progmz515-cli COMMAND --help — help on a command.</translation>
    </message>
</context>
<context>
    <name>LinkDoctor</name>
    <message>
        <source>%1 или %2</source>
        <translation>%1 or %2</translation>
    </message>
    <message>
        <source>Соединение с сервером %1 прервалось во время обмена.</source>
        <translation>The connection to the server %1 broke off during the exchange.</translation>
    </message>
    <message>
        <source>Проверьте сеть и сервер последовательного порта (он мог перезапуститься или отдать порт другому клиенту), затем повторите обмен.</source>
        <translation>Check the network and the serial port server (it may have restarted or given the port to another client), then repeat the exchange.</translation>
    </message>
    <message>
        <source>Порт %1 пропал во время обмена.</source>
        <translation>Port %1 disappeared during the exchange.</translation>
    </message>
    <message>
        <source>Адаптер отключили или у его разъёма плохой контакт. Подключите адаптер, выберите его порт из списка и повторите обмен.</source>
        <translation>The adapter was unplugged or its connector makes poor contact. Plug the adapter in, pick its port from the list and repeat the exchange.</translation>
    </message>
    <message>
        <source>Прибор ничего не ответил ни на один запрос.</source>
        <translation>The device did not answer any request.</translation>
    </message>
    <message>
        <source> Или выбрана не та модель: прибор другой модели на такой запрос не отвечает, его определит команда «Определить прибор» (progmz515-cli detect).</source>
        <translation> Or the wrong model is picked: a device of another model does not answer such a request; the command "Detect device" (progmz515-cli detect) finds it.</translation>
    </message>
    <message>
        <source>Нет питания прибора, кабель не подключён к прибору или сервер %1 работает с другим портом.</source>
        <translation>The device has no power, the cable is not connected to the device, or the server %1 works with another port.</translation>
    </message>
    <message>
        <source>Нет питания прибора, кабель не подключён к прибору или адаптер подключён к другому порту. Порты в системе сейчас: %1.</source>
        <translation>The device has no power, the cable is not connected to the device, or the adapter is on another port. Ports in the system now: %1.</translation>
    </message>
    <message>
        <source>нет ни одного</source>
        <translation>none</translation>
    </message>
    <message>
        <source>Вернулось то, что было отправлено: линии TX и RX адаптера соединены.</source>
        <translation>What was sent came back: the adapter's TX and RX lines are joined.</translation>
    </message>
    <message>
        <source>Это заглушка-петля, неверный кабель или линия с эхом; прибор при этом не отвечает. Проверьте кабель и его распайку.</source>
        <translation>This is a loopback plug, a wrong cable or an echoing line; the device itself is not answering. Check the cable and its wiring.</translation>
    </message>
    <message>
        <source>Ответил прибор модели %1, а выбрана %2.</source>
        <translation>A device of model %1 answered, but %2 is picked.</translation>
    </message>
    <message>
        <source>Выберите модель прибора, который подключён, и прочитайте его снова.</source>
        <translation>Pick the model of the device that is connected and read it again.</translation>
    </message>
    <message>
        <source>Ответ прибора оборвался: пришло %1 байт из %2.</source>
        <translation>The device's reply was cut short: %1 bytes of %2 came.</translation>
    </message>
    <message>
        <source>Плохой контакт в разъёме или кабеле, или адаптер отключали во время обмена. Проверьте соединения и повторите обмен.</source>
        <translation>A poor contact in the connector or cable, or the adapter was unplugged during the exchange. Check the connections and repeat the exchange.</translation>
    </message>
    <message>
        <source>Пришли байты, но ни одного правильного ответа: на линии помехи.</source>
        <translation>Bytes came, but not one correct reply: there is noise on the line.</translation>
    </message>
    <message>
        <source>Сервер socket:// работает со своими настройками линии: проверьте, что на нём 9600 бит/с, 8 бит, без чётности. Либо плохой кабель или другой прибор на линии.</source>
        <translation>A socket:// server keeps its own line settings: check that it is set to 9600 bit/s, 8 bits, no parity. Or a bad cable, or another device on the line.</translation>
    </message>
    <message>
        <source>Преобразователь работает на другой скорости, плохой кабель или на линии другой прибор. Проверьте настройки преобразователя и кабель.</source>
        <translation>The converter runs at another speed, the cable is bad, or another device is on the line. Check the converter's settings and the cable.</translation>
    </message>
</context>
<context>
    <name>CmdDetect</name>
    <message>
        <source>%1 или %2</source>
        <translation>%1 or %2</translation>
    </message>
    <message>
        <source>, версия %1</source>
        <translation>, version %1</translation>
    </message>
    <message>
        <source>, %1 мс</source>
        <translation>, %1 ms</translation>
    </message>
</context>
<context>
    <name>CmdDoctor</name>
    <message>
        <source>не указан порт (--port)</source>
        <translation>no port given (--port)</translation>
    </message>
</context>
<context>
    <name>LinkCheck</name>
    <message>
        <source>Проверка связи progmz515 %1</source>
        <translation>progmz515 %1 link check</translation>
    </message>
    <message>
        <source>Система: %1 (%2 %3)</source>
        <translation>System: %1 (%2 %3)</translation>
    </message>
    <message>
        <source>Порт: %1</source>
        <translation>Port: %1</translation>
    </message>
    <message>
        <source>Адаптер: %1</source>
        <translation>Adapter: %1</translation>
    </message>
    <message>
        <source>система о нём ничего не сообщает</source>
        <translation>the system tells nothing of it</translation>
    </message>
    <message>
        <source>Порт открыт также у процесса: %1</source>
        <translation>The port is also open in the process: %1</translation>
    </message>
    <message>
        <source>Открытие порта: не открылся</source>
        <translation>Opening the port: it did not open</translation>
    </message>
    <message>
        <source>Соединение с сервером: %1 мс, закрыто</source>
        <translation>Connection to the server: %1 ms, closed</translation>
    </message>
    <message>
        <source>Открытие и закрытие порта: ошибок нет (%1 мс)</source>
        <translation>Opening and closing the port: no errors (%1 ms)</translation>
    </message>
    <message>
        <source>Чтение как %1: запросов %2, </source>
        <translation>Read as %1: %2 requests, </translation>
    </message>
    <message>
        <source>ответ %1 (первый байт через %2 мс, последний через %3 мс)</source>
        <translation>reply of %1 (first byte after %2 ms, last after %3 ms)</translation>
    </message>
    <message>
        <source>правильного ответа нет, пришло байт: %1 (%2)</source>
        <translation>no correct reply, bytes heard: %1 (%2)</translation>
    </message>
    <message>
        <source>порт не открылся</source>
        <translation>the port did not open</translation>
    </message>
    <message>
        <source>ответа нет</source>
        <translation>no answer</translation>
    </message>
    <message>
        <source>Отвечает: %1</source>
        <translation>Answering: %1</translation>
    </message>
    <message>
        <source>Выбрана модель %1, а отвечает другая: выберите модель, которая подключена.</source>
        <translation>Model %1 is picked, but another answers: pick the model that is connected.</translation>
    </message>
    <message>
        <source>Диагноз: %1</source>
        <translation>Diagnosis: %1</translation>
    </message>
    <message>
        <source>В прибор ничего не записывалось.</source>
        <translation>Nothing was written to the device.</translation>
    </message>
</context>
<context>
    <name>ModelDetect</name>
    <message>
        <source>Определение прибора: %1</source>
        <translation>Finding the device: %1</translation>
    </message>
</context>
<context>
    <name>TSiteBookDialog</name>
    <message>
        <source> (удалён)</source>
        <translation> (deleted)</translation>
    </message>
    <message>
        <source>Объекты</source>
        <translation>Sites</translation>
    </message>
    <message>
        <source>Поиск: название, адрес, номер объекта, заметки, модель</source>
        <translation>Search: name, address, object number, notes, model</translation>
    </message>
    <message>
        <source>Поиск объектов</source>
        <translation>Search the sites</translation>
    </message>
    <message>
        <source>Показывать удалённые</source>
        <translation>Show deleted</translation>
    </message>
    <message>
        <source>Приборы объекта</source>
        <translation>The site's devices</translation>
    </message>
    <message>
        <source>Записи прибора</source>
        <translation>The device's records</translation>
    </message>
    <message>
        <source>Дата</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Что</source>
        <translation>What</translation>
    </message>
    <message>
        <source>Итог</source>
        <translation>Outcome</translation>
    </message>
    <message>
        <source>Кто</source>
        <translation>Who</translation>
    </message>
    <message>
        <source>Порт</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Новый объект...</source>
        <translation>New site...</translation>
    </message>
    <message>
        <source>Переименовать...</source>
        <translation>Rename...</translation>
    </message>
    <message>
        <source>Удалить</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Новый прибор...</source>
        <translation>New device...</translation>
    </message>
    <message>
        <source>Перенести...</source>
        <translation>Move...</translation>
    </message>
    <message>
        <source>Работать с прибором</source>
        <translation>Work with the device</translation>
    </message>
    <message>
        <source>Открыть запись</source>
        <translation>Open the record</translation>
    </message>
    <message>
        <source>Сервер книги недоступен: работа с локальной копией, записей ждут отправки: %1</source>
        <translation>The book's server cannot be reached: working on the local copy, records waiting to be sent: %1</translation>
    </message>
    <message>
        <source>Восстановить</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>Новый объект</source>
        <translation>New site</translation>
    </message>
    <message>
        <source>Название объекта:</source>
        <translation>The site's name:</translation>
    </message>
    <message>
        <source>Номер объекта (можно оставить пустым):</source>
        <translation>Object number (may stay empty):</translation>
    </message>
    <message>
        <source>Переименовать объект</source>
        <translation>Rename the site</translation>
    </message>
    <message>
        <source>Новый прибор</source>
        <translation>New device</translation>
    </message>
    <message>
        <source>Модель прибора:</source>
        <translation>The device's model:</translation>
    </message>
    <message>
        <source>Название прибора (например, «Панель, 1 этаж»):</source>
        <translation>The device's name (for example “Panel, 1st floor”):</translation>
    </message>
    <message>
        <source>Переименовать прибор</source>
        <translation>Rename the device</translation>
    </message>
    <message>
        <source>Название прибора:</source>
        <translation>The device's name:</translation>
    </message>
    <message>
        <source>Перенести прибор</source>
        <translation>Move the device</translation>
    </message>
    <message>
        <source>На объект:</source>
        <translation>To the site:</translation>
    </message>
</context>
<context>
    <name>ZoneTable</name>
    <message>
        <source>Объект</source>
        <translation>Site</translation>
    </message>
    <message>
        <source>Номер объекта</source>
        <translation>Object number</translation>
    </message>
    <message>
        <source>Прибор</source>
        <translation>Device</translation>
    </message>
    <message>
        <source>Зона</source>
        <translation>Zone</translation>
    </message>
    <message>
        <source>Шлейф / зона</source>
        <translation>Loop / zone</translation>
    </message>
    <message>
        <source>Тип зоны</source>
        <translation>Zone type</translation>
    </message>
    <message>
        <source>Код Contact ID</source>
        <translation>Contact ID code</translation>
    </message>
    <message>
        <source>Событие</source>
        <translation>Event</translation>
    </message>
</context>
</TS>
