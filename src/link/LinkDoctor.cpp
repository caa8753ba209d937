#include "link/LinkDoctor.h"

#include "link/Frames.h"
#include "link/PortKind.h"
#include "model/MyConst.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

QString Hex(const QByteArray& bytes, qsizetype most = 32) {
    QString out = QString::fromLatin1(bytes.left(most).toHex(' ').toUpper());
    if (bytes.size() > most) out += QStringLiteral(" …");
    return out;
}

int ReplyLengthOf(const QString& model) {
    const DeviceRow* row = DeviceRowOf(model);
    return row ? Frame::ReplyLength(row->Group, row->Capacity) : 0;
}

// Whether what came after a request is the request itself, or its start: the line hands
// back what we send.
bool IsEcho(const HeardAttempt& a, const QByteArray& request) {
    if (a.Bytes.isEmpty() || request.isEmpty()) return false;
    const qsizetype n = std::min(a.Bytes.size(), request.size());
    return n >= std::min<qsizetype>(3, request.size()) && a.Bytes.left(n) == request.left(n);
}

} // namespace

bool LinkEvidence::Network() const {
    return IsNetworkPortName(PortName);
}

QList<int> RowsAnswering(const QByteArray& bytes) {
    QList<int> rows;
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    for (qsizetype at = bytes.indexOf(char(Frame::Start)); at >= 0;
         at = bytes.indexOf(char(Frame::Start), at + 1)) {
        for (int row = 0; row < DeviceCount; ++row) {
            const DeviceRow& r = DeviceTable[std::size_t(row)];
            const int length = Frame::ReplyLength(r.Group, r.Capacity);
            if (at + length > bytes.size() ||
                !CheckReplyBytes({data + at, std::size_t(length)}, r.Group, r.Capacity))
                continue;
            // The 23-byte models name themselves; the others are told by length alone.
            if (r.ModelCode >= 0) {
                const auto named = RowOfModelCode(data[at + Frame::ReplyModelCodeOffset]);
                if (!named || *named != row) continue;
            }
            if (!rows.contains(row)) rows.append(row);
        }
        if (!rows.isEmpty()) break;
    }
    return rows;
}

QString CauseCode(LinkCause cause) {
    switch (cause) {
    case LinkCause::Silence:
        return QStringLiteral("silence");
    case LinkCause::Echo:
        return QStringLiteral("echo");
    case LinkCause::OtherModel:
        return QStringLiteral("other-model");
    case LinkCause::Noise:
        return QStringLiteral("noise");
    case LinkCause::CutShort:
        return QStringLiteral("cut-short");
    case LinkCause::PortLost:
        return QStringLiteral("port-lost");
    case LinkCause::ConnectionLost:
        return QStringLiteral("connection-lost");
    }
    return {};
}

LinkDiagnosis Diagnose(const LinkEvidence& evidence, const QStringList& presentPorts) {
    LinkDiagnosis d;
    QList<const HeardAttempt*> heard;
    for (const HeardAttempt& a : evidence.Attempts)
        if (a.Count > 0) heard.append(&a);
    if (!heard.isEmpty()) d.Heard = Hex(heard.front()->Bytes);

    if (evidence.PortLost) {
        if (evidence.Network()) {
            d.Cause = LinkCause::ConnectionLost;
            d.Headline = QCoreApplication::translate(
                             "LinkDoctor", "Соединение с сервером %1 прервалось во время обмена.")
                             .arg(evidence.PortName);
            d.Advice = QCoreApplication::translate(
                "LinkDoctor",
                "Проверьте сеть и сервер последовательного порта (он мог перезапуститься "
                "или отдать порт другому клиенту), затем повторите обмен.");
        } else {
            d.Cause = LinkCause::PortLost;
            d.Headline =
                QCoreApplication::translate("LinkDoctor", "Порт %1 пропал во время обмена.")
                    .arg(evidence.PortName);
            d.Advice = QCoreApplication::translate(
                "LinkDoctor",
                "Адаптер отключили или у его разъёма плохой контакт. Подключите адаптер, "
                "выберите его порт из списка и повторите обмен.");
        }
        return d;
    }

    if (heard.isEmpty()) {
        d.Cause = LinkCause::Silence;
        d.Headline = QCoreApplication::translate("LinkDoctor",
                                                 "Прибор ничего не ответил ни на один запрос.");
        // A device of another model takes no request of another length.
        const QString model = QCoreApplication::translate(
            "LinkDoctor", " Или выбрана не та модель: прибор другой модели на такой "
                          "запрос не отвечает, его определит команда «Определить "
                          "прибор» (progmz515-cli detect).");
        if (evidence.Network())
            d.Advice = QCoreApplication::translate(
                           "LinkDoctor",
                           "Нет питания прибора, кабель не подключён к прибору или сервер %1 "
                           "работает с другим портом.")
                           .arg(evidence.PortName) +
                       model;
        else
            d.Advice =
                QCoreApplication::translate(
                    "LinkDoctor", "Нет питания прибора, кабель не подключён к прибору или адаптер "
                                  "подключён к другому порту. Порты в системе сейчас: %1.")
                    .arg(presentPorts.isEmpty()
                             ? QCoreApplication::translate("LinkDoctor", "нет ни одного")
                             : presentPorts.join(QStringLiteral("; "))) +
                model;
        return d;
    }

    if (std::all_of(heard.begin(), heard.end(),
                    [&](const HeardAttempt* a) { return IsEcho(*a, evidence.Request); })) {
        d.Cause = LinkCause::Echo;
        d.Headline = QCoreApplication::translate(
            "LinkDoctor", "Вернулось то, что было отправлено: линии TX и RX адаптера соединены.");
        d.Advice = QCoreApplication::translate(
            "LinkDoctor",
            "Это заглушка-петля, неверный кабель или линия с эхом; прибор при этом не "
            "отвечает. Проверьте кабель и его распайку.");
        return d;
    }

    const int asked = FindDevice(evidence.Model);
    for (const HeardAttempt* a : heard) {
        QList<int> rows = RowsAnswering(a->Bytes);
        if (rows.isEmpty() || rows.contains(asked)) continue;
        d.Cause = LinkCause::OtherModel;
        for (int row : rows)
            d.HeardModels << IdentifierOf(row);
        d.Headline =
            QCoreApplication::translate("LinkDoctor", "Ответил прибор модели %1, а выбрана %2.")
                .arg(d.HeardModels.size() == 2
                         ? QCoreApplication::translate("LinkDoctor", "%1 или %2")
                               .arg(d.HeardModels[0], d.HeardModels[1])
                         : d.HeardModels.join(QStringLiteral(", ")),
                     evidence.Model);
        d.Advice = QCoreApplication::translate(
            "LinkDoctor", "Выберите модель прибора, который подключён, и прочитайте его снова.");
        return d;
    }

    const int expected = ReplyLengthOf(evidence.Model);
    for (const HeardAttempt* a : heard) {
        const bool starts = a->Bytes.size() >= 2 && quint8(a->Bytes[0]) == Frame::Start &&
                            quint8(a->Bytes[1]) == Frame::Data;
        if (!starts || a->Count >= expected) continue;
        d.Cause = LinkCause::CutShort;
        d.Headline = QCoreApplication::translate("LinkDoctor",
                                                 "Ответ прибора оборвался: пришло %1 байт из %2.")
                         .arg(a->Count)
                         .arg(expected);
        d.Advice = QCoreApplication::translate(
            "LinkDoctor", "Плохой контакт в разъёме или кабеле, или адаптер отключали во время "
                          "обмена. Проверьте соединения и повторите обмен.");
        return d;
    }

    d.Cause = LinkCause::Noise;
    d.Headline = QCoreApplication::translate(
        "LinkDoctor", "Пришли байты, но ни одного правильного ответа: на линии помехи.");
    d.Advice = evidence.Network()
                   ? QCoreApplication::translate(
                         "LinkDoctor",
                         "Сервер socket:// работает со своими настройками линии: проверьте, что "
                         "на нём 9600 бит/с, 8 бит, без чётности. Либо плохой кабель или другой "
                         "прибор на линии.")
                   : QCoreApplication::translate(
                         "LinkDoctor",
                         "Преобразователь работает на другой скорости, плохой кабель или на линии "
                         "другой прибор. Проверьте настройки преобразователя и кабель.");
    return d;
}
