#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets: fuzz/corpus/cf8 (a valid ".cf8" file of
every model and a few broken ones), fuzz/corpus/reply (a valid reply of every model,
split into chunks in a few ways, in the input layout of fuzz_reply: a model byte, then
length-prefixed chunks, a zero length standing for the gathering deadline) and
fuzz/corpus/text (the known-answer texts of tests/data, a template of every model, and a
few texts that must be refused).

The files are kept in the repository; run this again only to change them.  Frames and
check bytes are built here from the format alone, not with the program's own code."""

import pathlib
import shutil

HERE = pathlib.Path(__file__).resolve().parent

# Row, identifier, model code in the reply (any value for the models that do not name
# themselves), factory-default image.
EIGHT_LOOP = bytes.fromhex("08052D00071713061506150514051402" "0F830483040000")
E2 = bytes.fromhex("08052D00071713061506150514051401" "0F011083040000")
KA8 = EIGHT_LOOP + bytes(0xDE if i % 2 else 0 for i in range(23, 150)) + b"\0" + b"\xff" * 16
TRANSMITTER = bytes.fromhex("08052D00010000000000")
MODELS = [
    (0, "MZ515KA8", 0x0A, KA8),
    (1, "MZ515KB8", 0x0A, EIGHT_LOOP),
    (2, "MZ515E8", 0x0B, EIGHT_LOOP),
    (3, "MZ515E2", 0x0C, E2),
    (4, "MZ515KF", None, TRANSMITTER),
    (5, "MZ515KA", None, TRANSMITTER),
]
assert len(KA8) == 167 and len(EIGHT_LOOP) == len(E2) == 23


def crc8(data):
    crc = 0
    for b in data:
        crc ^= b
        for _ in range(8):
            crc = (crc >> 1) ^ 0xB8 if crc & 1 else crc >> 1
    return crc


def cf8(identifier_field, image, stored_length=None):
    head = b"cf8 (Korvanta Configuration Hex)" + b"MZ515" + b" " * 27
    head += identifier_field.ljust(32, b" ")[:32] + bytes(49)
    head += bytes([len(image) if stored_length is None else stored_length])
    frame = b"~D" + image
    return head + frame + bytes([crc8(frame)])


def reply(code, image):
    frame = b"~D" + (bytes([code, 7]) if code is not None else b"") + image
    return frame + bytes([crc8(frame)]) + b"\r\n"


GATHERING_DEADLINE = b"\x00"
ATTEMPT_DEADLINE = b"\xff"


def chunks(data, size=254):
    out = b""
    for i in range(0, len(data), size):
        part = data[i : i + size]
        out += bytes([len(part)]) + part
    return out


def write(folder, files):
    path = HERE / "corpus" / folder
    shutil.rmtree(path, ignore_errors=True)
    path.mkdir(parents=True)
    for name, data in files.items():
        (path / name).write_bytes(data)


def main():
    files = {}
    for _, ident, _, image in MODELS:
        files[f"{ident}.cf8"] = cf8(ident.encode(), image)
    ka8 = files["MZ515KA8.cf8"]
    files["zero-padded-id.cf8"] = cf8(b"MZ515E8".ljust(32, b"\0"), EIGHT_LOOP)
    files["trailing-bytes.cf8"] = ka8 + bytes(range(256)) + bytes(28)
    files["bad-family.cf8"] = ka8[:32] + b"MZ516" + ka8[37:]
    files["lower-case-id.cf8"] = cf8(b"mz515kf", TRANSMITTER)
    files["bad-check.cf8"] = ka8[:-1] + bytes([ka8[-1] ^ 0x01])
    files["ends-after-id.cf8"] = ka8[:96]
    files["cut-short.cf8"] = ka8[:200]
    files["length-199.cf8"] = cf8(b"MZ515KA8", bytes(199))
    files["empty.cf8"] = b""
    write("cf8", files)

    files = {}
    for row, ident, code, image in MODELS:
        r = reply(code, image)
        half = len(r) // 2
        read, written = bytes([row]), bytes([row + 6])
        files[f"{ident}-whole"] = read + chunks(r)
        files[f"{ident}-halves"] = read + chunks(r[:half]) + chunks(r[half:])
        files[f"{ident}-by-3"] = read + chunks(r, 3)
        # Noise, the deadline that discards it, then the reply and a deadline of its own.
        files[f"{ident}-after-noise"] = read + chunks(b"~R\x00\r\n") + GATHERING_DEADLINE + \
            chunks(r) + GATHERING_DEADLINE
        # Half a reply, a re-send, then the whole reply.
        files[f"{ident}-after-resend"] = read + chunks(r[:half]) + ATTEMPT_DEADLINE + chunks(r)
        # A write that the device takes as it was sent, and one that it changes in its first and last bytes.
        files[f"{ident}-write"] = written + chunks(r)
        changed = bytearray(image)
        changed[0] ^= 0x01
        changed[-1] ^= 0x80
        files[f"{ident}-write-changed"] = written + chunks(reply(code, bytes(changed)))
    # An MZ515E8 selected, and a device that names itself MZ515KB8.
    files["MZ515E8-device-KB8"] = bytes([2]) + chunks(reply(0x0A, EIGHT_LOOP))
    write("reply", files)

    files = {}
    for name in ("MZ515KA8", "MZ515KF"):
        files[f"{name}.yaml"] = (HERE.parent / "tests" / "data" / f"{name}.yaml").read_bytes()
    head = "format: progmz515/1\n"
    for _, ident, _, _ in MODELS:
        files[f"{ident}-template.yaml"] = f"{head}model: {ident}\n".encode()
    files["KA8-zones.yaml"] = (head + "model: MZ515KA8\nexpanders: [2, 3]\n"
                               "zone19: {type: Охранный, event: 131 - ПЕРИМЕТР, power_reset: no}\n"
                               "zone20:\n  type: 0x6\n  event: \"137 - ТАМПЕР \"\n"
                               "reserved: {byte150: 0x07}\n").encode()
    files["E2-loops.yaml"] = (head + "model: MZ515E2\nloop1: {type: Пожарный, power_reset: yes}\n"
                              "loop2: {type: 0x0, type_bits3_6: 0xF}\n").encode()
    files["KB8-delays.yaml"] = (head + "model: MZ515KB8  # comment\nentry_delay: 60\n"
                                "exit_delay: 0x3\nradio_check_period: 0xFFFF\n").encode()
    files["unknown-key.yaml"] = (head + "model: MZ515KF\nloop1: {type: Пожарный}\n").encode()
    files["broken-yaml.yaml"] = (head + "model: MZ515KA\nalarm_tx_count: [1\n").encode()
    files["not-utf8.yaml"] = head.encode() + b"model: MZ515KA8\nloop3: {type: \xcf\xee\xe6}\n"
    files["twice.yaml"] = (head + "model: MZ515E8\nexit_delay: 0\nexit_delay: 30\n").encode()
    write("text", files)


if __name__ == "__main__":
    main()
