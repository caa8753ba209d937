// The text form's codec, on yaml-cpp: the module "textform", loaded the first time a text
// is read or written (app/TextForm.cpp).

#include "app/TextForm.h"

#include "model/FieldTable.h"
#include "model/ImageLayout.h"
#include "model/MyConst.h"
#include "model/ShlfList.h"

#include <QCoreApplication>
#include <QHash>
#include <QSet>

#include <yaml-cpp/yaml.h>

#include <algorithm>
#include <cctype>

namespace TextForm {

using FieldTable::Field;
using FieldTable::FieldKind;

namespace {

const QString ReservedGroup = QStringLiteral("reserved");
const QString FormatKey = QStringLiteral("format");
const QString ModelKey = QStringLiteral("model");

std::string Utf8(const QString& s) {
    return s.toStdString();
}

QString KeyGroup(const QString& key) {
    const qsizetype dot = key.indexOf(u'.');
    return dot < 0 ? QString() : key.left(dot);
}
QString KeyLeaf(const QString& key) {
    return key.mid(key.indexOf(u'.') + 1);
}

// ---- writing --------------------------------------------------------------------------

void EmitValue(YAML::Emitter& out, const Field& f, std::uint32_t value) {
    if (f.Kind == FieldKind::ExpanderSet) {
        out << YAML::Flow << YAML::BeginSeq;
        for (int n = 1; n <= Image::ExpanderCount; ++n)
            if (TestBit(static_cast<std::uint8_t>(value), Image::ExpanderBit(n))) out << n;
        out << YAML::EndSeq;
        return;
    }
    QString text;
    if (!FieldTable::Shown(f, value))
        text = FieldTable::RawText(f, value);
    else if (f.Kind == FieldKind::Flag)
        text = value ? QStringLiteral("yes") : QStringLiteral("no");
    else
        text = FieldTable::ValueText(f, value);
    out << Utf8(text);
}

// What a person needs beside a value: the window's name of the field, and a word when the
// value is a code the window has no name for.
std::string CommentOf(const Field& f, std::uint32_t value, bool withZone) {
    QString c = withZone && !f.Zone.isEmpty() ? f.Zone + QStringLiteral(": ") + f.Name : f.Name;
    if (f.Kind != FieldKind::Raw && !FieldTable::Shown(f, value))
        c += QStringLiteral(" (код, которого нет в окне)");
    return Utf8(c);
}

// ---- reading --------------------------------------------------------------------------

class Refused {
public:
    TextError Error;
};

[[noreturn]] void Refuse(const YAML::Mark& at, const QString& field, const QString& message) {
    // yaml-cpp counts from 0, and marks nothing (-1) for nodes it made up.
    throw Refused{
        {at.line >= 0 ? at.line + 1 : 0, at.column >= 0 ? at.column + 1 : 0, field, message}};
}

QString ScalarOf(const YAML::Node& node, const QString& field) {
    if (node.IsNull())
        Refuse(node.Mark(), field, QCoreApplication::translate("TextForm", "значение не указано"));
    if (!node.IsScalar())
        Refuse(node.Mark(), field,
               QCoreApplication::translate("TextForm", "ожидалось одно значение"));
    return QString::fromStdString(node.Scalar());
}

std::optional<std::uint32_t> ParseUnsigned(const QString& text, int base) {
    bool ok = false;
    const qulonglong v = text.toULongLong(&ok, base);
    if (!ok || v > 0xFFFFFFFFULL) return std::nullopt;
    return static_cast<std::uint32_t>(v);
}

bool IsRawForm(const QString& text) {
    return text.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive);
}

// A decimal number written the plain way: digits only, so "+5", " 5" and "1e1" are not.
// A number too long for 32 bits comes out as the largest one, which no range holds.
std::optional<std::uint32_t> ParseDigits(const QString& text) {
    if (text.isEmpty()) return std::nullopt;
    for (QChar c : text)
        if (c < u'0' || c > u'9') return std::nullopt;
    return ParseUnsigned(text, 10).value_or(0xFFFFFFFFU);
}

std::uint32_t ParseRaw(const YAML::Node& node, const Field& f, const QString& text) {
    const QString digits = text.mid(2);
    bool hex = !digits.isEmpty() && digits.size() <= 8;
    for (QChar c : digits)
        hex = hex && c.unicode() < 0x80 && std::isxdigit(c.unicode());
    const std::optional<std::uint32_t> v = hex ? ParseUnsigned(digits, 16) : std::nullopt;
    if (!v)
        Refuse(node.Mark(), f.Key,
               QCoreApplication::translate("TextForm", "«%1» не шестнадцатеричный код").arg(text));
    if (*v > f.MaxValue())
        Refuse(node.Mark(), f.Key,
               QCoreApplication::translate("TextForm", "код %1 вне диапазона 0x0..%2")
                   .arg(text, FieldTable::RawText(f, f.MaxValue())));
    return *v;
}

int EventNumberOfText(const QString& text) {
    // Spaces at the ends of a text are easily lost in an editor; the texts stay unique
    // without them.
    static const auto numbers = [] {
        std::pair<QHash<QString, int>, QHash<QString, int>> exactAndTrimmed;
        for (int n = 1; n <= EventCount; ++n) {
            exactAndTrimmed.first.insert(EventText(n), n);
            exactAndTrimmed.second.insert(EventText(n).trimmed(), n);
        }
        return exactAndTrimmed;
    }();
    const int number = numbers.first.value(text, numbers.second.value(text.trimmed(), -1));
    if (number > 0) return number;
    // The text as the program shows it in its own language (a value copied from a list).
    for (int n = 1; n <= EventCount; ++n)
        if (EventCaption(n).trimmed() == text.trimmed()) return n;
    return -1;
}

QString RangeHint(const Field& f) {
    return QCoreApplication::translate("TextForm",
                                       "; другое значение записывается кодом, например %1")
        .arg(FieldTable::RawText(f, 0));
}

std::uint32_t ParseExpanders(const YAML::Node& node, const Field& f) {
    if (node.IsScalar()) {
        const QString text = QString::fromStdString(node.Scalar());
        if (IsRawForm(text)) return ParseRaw(node, f, text);
        if (text.compare(QStringLiteral("нет"), Qt::CaseInsensitive) == 0 ||
            text.compare(FieldTable::ValueCaption(f, 0), Qt::CaseInsensitive) == 0)
            return 0;
    }
    if (!node.IsSequence())
        Refuse(node.Mark(), f.Key,
               QCoreApplication::translate(
                   "TextForm", "ожидался список номеров расширителей, например [1, 3]"));
    std::uint8_t bits = 0;
    for (const YAML::Node& item : node) {
        const QString text = ScalarOf(item, f.Key);
        const std::optional<std::uint32_t> n = ParseDigits(text);
        if (!n || *n < 1 || *n > Image::ExpanderCount)
            Refuse(
                item.Mark(), f.Key,
                QCoreApplication::translate("TextForm", "номер расширителя «%1» вне диапазона 1..8")
                    .arg(text));
        SetBit(bits, Image::ExpanderBit(static_cast<int>(*n)));
    }
    return bits;
}

std::uint32_t ParseValue(const YAML::Node& node, const Field& f) {
    if (f.Kind == FieldKind::ExpanderSet) return ParseExpanders(node, f);
    const QString text = ScalarOf(node, f.Key);
    if (IsRawForm(text)) return ParseRaw(node, f, text);
    const YAML::Mark at = node.Mark();
    switch (f.Kind) {
    case FieldKind::Number:
    case FieldKind::Seconds: {
        const std::optional<std::uint32_t> v = ParseDigits(text);
        if (!v)
            Refuse(at, f.Key, QCoreApplication::translate("TextForm", "«%1» не число").arg(text));
        const auto step = static_cast<std::uint32_t>(f.Step);
        const std::uint32_t stored = *v / step;
        if (*v % step != 0 || !FieldTable::Shown(f, stored)) {
            const QString range = f.Step == 1
                                      ? QStringLiteral("%1..%2").arg(f.Min).arg(f.Max)
                                      : QCoreApplication::translate("TextForm", "%1..%2 с шагом %3")
                                            .arg(f.Min * f.Step)
                                            .arg(f.Max * f.Step)
                                            .arg(f.Step);
            Refuse(at, f.Key,
                   QCoreApplication::translate("TextForm", "значение %1 вне диапазона %2")
                           .arg(text, range) +
                       RangeHint(f));
        }
        return stored;
    }
    case FieldKind::ZoneType: {
        const int code = ShlfTypeIndex(text);
        if (code < 0)
            Refuse(at, f.Key,
                   QCoreApplication::translate("TextForm", "нет типа шлейфа «%1»").arg(text));
        if (!FieldTable::Shown(f, static_cast<std::uint32_t>(code))) {
            QStringList allowed;
            for (int c : ZoneEdit::TypeSetCodes(f.Types))
                allowed << ShlfTypeName(c);
            Refuse(at, f.Key,
                   QCoreApplication::translate("TextForm",
                                               "тип «%1» не допускается в %2; допустимы: %3")
                       .arg(text, FieldTable::ZoneCaption(f), allowed.join(QStringLiteral(", "))));
        }
        return static_cast<std::uint32_t>(code);
    }
    case FieldKind::EventCode: {
        const int number = EventNumberOfText(text);
        if (number < 0)
            Refuse(at, f.Key,
                   QCoreApplication::translate("TextForm", "нет события «%1»").arg(text));
        return static_cast<std::uint32_t>(EventCodeOf(number));
    }
    case FieldKind::Flag: {
        static const QStringList yes{QStringLiteral("yes"), QStringLiteral("true"),
                                     QStringLiteral("да")};
        static const QStringList no{QStringLiteral("no"), QStringLiteral("false"),
                                    QStringLiteral("нет")};
        if (yes.contains(text, Qt::CaseInsensitive)) return 1;
        if (no.contains(text, Qt::CaseInsensitive)) return 0;
        Refuse(
            at, f.Key,
            QCoreApplication::translate("TextForm", "ожидалось yes или no, а не «%1»").arg(text));
    }
    case FieldKind::Choice: {
        for (int i = 0; i < f.Choices.size(); ++i)
            if (text.compare(f.Choices[i], Qt::CaseInsensitive) == 0 ||
                text.compare(FieldTable::ValueCaption(f, static_cast<std::uint32_t>(i)),
                             Qt::CaseInsensitive) == 0)
                return static_cast<std::uint32_t>(i);
        Refuse(at, f.Key,
               QCoreApplication::translate("TextForm", "ожидалось %1, а не «%2»")
                   .arg(f.Choices.join(QCoreApplication::translate("TextForm", " или ")), text));
    }
    case FieldKind::Raw: {
        const std::optional<std::uint32_t> v = ParseDigits(text);
        if (!v || *v > f.MaxValue())
            Refuse(at, f.Key,
                   QCoreApplication::translate("TextForm", "ожидался код 0x0..%1, а не «%2»")
                       .arg(FieldTable::RawText(f, f.MaxValue()), text));
        return *v;
    }
    case FieldKind::ExpanderSet:
        break;
    }
    Refuse(at, f.Key, QCoreApplication::translate("TextForm", "значение не читается"));
}

// Where the first byte that is not UTF-8 sits: its line, and its column in characters.
TextError InvalidUtf8Error(const QByteArray& text) {
    const QList<QByteArray> lines = text.split('\n');
    for (qsizetype n = 0; n < lines.size(); ++n) {
        if (IsUtf8(lines[n])) continue;
        qsizetype good = 0; // the longest start of the line that decodes
        while (good < lines[n].size() && IsUtf8(QByteArrayView(lines[n]).first(good + 1)))
            ++good;
        const int column = static_cast<int>(QString::fromUtf8(lines[n].first(good)).size()) + 1;
        return {static_cast<int>(n) + 1, column, QString(),
                QCoreApplication::translate("TextForm", "текст не в кодировке UTF-8")};
    }
    return {0, 0, QString(), QCoreApplication::translate("TextForm", "текст не в кодировке UTF-8")};
}

// yaml-cpp's own words say what it stumbled over; ours say that it is the text's form.
QString SyntaxMessage(const YAML::Exception& e) {
    return QCoreApplication::translate("TextForm", "текст не читается как YAML (%1)")
        .arg(QString::fromStdString(e.msg));
}

// yaml-cpp counts columns in bytes; a person counts characters.
int CharacterColumn(const QByteArray& text, int line, int byteColumn) {
    if (line < 1 || byteColumn < 1) return byteColumn;
    qsizetype start = 0;
    for (int n = 1; n < line; ++n) {
        start = text.indexOf('\n', start);
        if (start < 0) return byteColumn;
        ++start;
    }
    return static_cast<int>(QString::fromUtf8(text.mid(start, byteColumn - 1)).toUcs4().size()) + 1;
}

TextParseResult Parse(const QByteArray& text) {
    if (text.size() > TextLimit)
        throw Refused{
            {0, 0, QString(),
             QCoreApplication::translate("TextForm", "текст слишком велик для конфигурации")}};
    if (text.contains('\0'))
        throw Refused{{0, 0, QString(),
                       QCoreApplication::translate("TextForm", "текст содержит нулевые байты")}};

    YAML::Node root;
    try {
        // One document: what followed a "---" would otherwise be dropped without a word.
        const std::vector<YAML::Node> documents = YAML::LoadAll(text.toStdString());
        if (documents.size() > 1)
            Refuse(documents[1].Mark(), QString(),
                   QCoreApplication::translate(
                       "TextForm", "в тексте больше одной конфигурации (разделитель ---)"));
        if (!documents.empty()) root = documents.front();
    } catch (const YAML::Exception& e) {
        Refuse(e.mark, QString(), SyntaxMessage(e));
    }
    if (!root.IsMap())
        Refuse(root.Mark(), QString(),
               QCoreApplication::translate(
                   "TextForm", "ожидались строки «ключ: значение», начиная с format: %1")
                   .arg(QLatin1String(FormatName)));

    // The keys first, each once: yaml-cpp keeps a repeated key, and a second value must
    // not silently win or lose.
    QHash<QString, YAML::Node> top;
    QHash<QString, YAML::Mark> keyAt;
    QStringList order;
    for (const auto& kv : root) {
        const QString key = ScalarOf(kv.first, QString());
        if (top.contains(key))
            Refuse(kv.first.Mark(), key,
                   QCoreApplication::translate("TextForm", "ключ указан повторно"));
        top.insert(key, kv.second);
        keyAt.insert(key, kv.first.Mark());
        order << key;
    }

    if (!top.contains(FormatKey))
        Refuse(root.Mark(), FormatKey,
               QCoreApplication::translate("TextForm", "нет строки format: %1")
                   .arg(QLatin1String(FormatName)));
    const YAML::Node format = top.value(FormatKey);
    if (ScalarOf(format, FormatKey) != QLatin1String(FormatName))
        Refuse(format.Mark(), FormatKey,
               QCoreApplication::translate("TextForm", "формат «%1» не поддерживается; ожидался %2")
                   .arg(QString::fromStdString(format.Scalar()), QLatin1String(FormatName)));
    if (!top.contains(ModelKey))
        Refuse(root.Mark(), ModelKey,
               QCoreApplication::translate("TextForm", "не указана модель (model: MZ515KA8, ...)"));
    const YAML::Node modelNode = top.value(ModelKey);
    const QString model = ScalarOf(modelNode, ModelKey);
    const int row = FindDevice(model);
    if (row < 0) {
        QStringList known;
        for (int i = 0; i < DeviceCount; ++i)
            known << IdentifierOf(i);
        Refuse(modelNode.Mark(), ModelKey,
               QCoreApplication::translate("TextForm", "модель «%1» не известна; известны: %2")
                   .arg(model, known.join(QStringLiteral(", "))));
    }

    const std::span<const std::uint8_t> defaults = DefaultImageOf(row);
    std::vector<std::uint8_t> image(defaults.begin(), defaults.end());
    const std::vector<Field>& fields = FieldTable::FieldsOf(model);
    QSet<QString> groups;
    for (const Field& f : fields)
        if (!KeyGroup(f.Key).isEmpty()) groups.insert(KeyGroup(f.Key));

    auto apply = [&](const QString& key, const YAML::Node& value, const YAML::Mark& at) {
        const Field* f = FieldTable::FindField(model, key);
        if (!f)
            Refuse(
                at, key,
                QCoreApplication::translate("TextForm", "нет такого поля у модели %1").arg(model));
        FieldTable::WriteValue(*f, image, ParseValue(value, *f));
    };

    for (const QString& key : order) {
        if (key == FormatKey || key == ModelKey) continue;
        const YAML::Node value = top.value(key);
        if (!groups.contains(key)) {
            apply(key, value, keyAt.value(key));
            continue;
        }
        if (value.IsNull()) continue; // a group left empty gives nothing
        if (!value.IsMap())
            Refuse(value.Mark(), key,
                   QCoreApplication::translate("TextForm", "ожидались поля «ключ: значение»"));
        QSet<QString> seen;
        for (const auto& kv : value) {
            const QString full = key + u'.' + ScalarOf(kv.first, key);
            if (seen.contains(full))
                Refuse(kv.first.Mark(), full,
                       QCoreApplication::translate("TextForm", "ключ указан повторно"));
            seen.insert(full);
            apply(full, kv.second, kv.first.Mark());
        }
    }

    TextParseResult result;
    result.Model = model;
    result.Image = std::move(image);
    return result;
}

} // namespace

namespace Yaml {

QByteArray ConfigToText(const QString& model, std::span<const std::uint8_t> image) {
    const int row = FindDevice(model);
    if (row < 0 || image.size() != static_cast<std::size_t>(
                                       DeviceTable[static_cast<std::size_t>(row)].Capacity))
        return {};
    const std::vector<Field>& fields = FieldTable::FieldsOf(model);

    // The device-wide fields first, then the loops and zones, each in image order, and
    // the reserved bytes last.
    struct Group {
        QString Key;
        std::vector<const Field*> Members;
    };
    std::vector<Group> order;
    QHash<QString, std::size_t> groupAt;
    for (const Field& f : fields)
        if (KeyGroup(f.Key).isEmpty()) order.push_back({f.Key, {&f}});
    for (const QString& wanted : {QString(), ReservedGroup})
        for (const Field& f : fields) {
            const QString g = KeyGroup(f.Key);
            if (g.isEmpty() || (g == ReservedGroup) != (wanted == ReservedGroup)) continue;
            auto it = groupAt.constFind(g);
            if (it == groupAt.cend()) {
                it = groupAt.insert(g, order.size());
                order.push_back({g, {}});
            }
            order[*it].Members.push_back(&f);
        }

    YAML::Emitter out;
    out.SetIndent(2);
    out << YAML::Comment(Utf8(QStringLiteral("Конфигурация ") + DescriptionOf(row) +
                              QStringLiteral("; строки после # не читаются")));
    out << YAML::BeginMap;
    out << YAML::Key << "format" << YAML::Value << FormatName;
    out << YAML::Key << "model" << YAML::Value << Utf8(model);

    for (const Group& group : order) {
        const QString& g = group.Key;
        const std::vector<const Field*>& members = group.Members;
        if (members.size() == 1 && members.front()->Key == g) {
            const Field& f = *members.front();
            const std::uint32_t v = FieldTable::ReadValue(f, image);
            out << YAML::Key << Utf8(g) << YAML::Value;
            EmitValue(out, f, v);
            out << YAML::Comment(CommentOf(f, v, true));
            continue;
        }
        out << YAML::Key << Utf8(g);
        const Field& first = *members.front();
        if (!first.Zone.isEmpty())
            out << YAML::Comment(Utf8(
                first.Zone +
                (first.Loop ? QStringLiteral(", зона ") + Image::ZoneNumberText(first.SystemZone)
                            : QStringLiteral(", расширитель %1").arg(first.Expander))));
        else if (g == ReservedGroup)
            out << YAML::Comment("байты, которые окно не показывает: хранятся как есть");
        out << YAML::Value << YAML::BeginMap;
        for (const Field* f : members) {
            const std::uint32_t v = FieldTable::ReadValue(*f, image);
            out << YAML::Key << Utf8(KeyLeaf(f->Key)) << YAML::Value;
            EmitValue(out, *f, v);
            if (f->Kind != FieldKind::Raw || g != ReservedGroup)
                out << YAML::Comment(CommentOf(*f, v, false));
        }
        out << YAML::EndMap;
    }
    out << YAML::EndMap;
    QByteArray text(out.c_str(), static_cast<qsizetype>(out.size()));
    text += '\n';
    return text;
}

TextParseResult ParseConfigText(const QByteArray& text) {
    TextParseResult refused;
    if (!IsUtf8(text)) {
        refused.Error = InvalidUtf8Error(text);
        return refused;
    }
    try {
        return Parse(text);
    } catch (const Refused& r) {
        refused.Error = r.Error;
    } catch (const YAML::Exception& e) {
        refused.Error =
            TextError{e.mark.line >= 0 ? e.mark.line + 1 : 0,
                      e.mark.column >= 0 ? e.mark.column + 1 : 0, QString(), SyntaxMessage(e)};
    }
    refused.Error->Column = CharacterColumn(text, refused.Error->Line, refused.Error->Column);
    return refused;
}

} // namespace Yaml

} // namespace TextForm
