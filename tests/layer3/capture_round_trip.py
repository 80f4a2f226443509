"""geranhost --pcap read back by tshark: capture_round_trip.py TABLE WORK_DIR WINE_RUN PREFIX GERANHOST

Sends every row of the message table that has no findings in a call journal (each by the call its
row names), converts the journal with geranhost --pcap, and reads the capture with Debian's tshark:
one decoded message per row, in order, with the row's name, its fields, time and direction, and no
malformed packet or expert error.
"""
import os
import shutil
import subprocess
import sys

SKIP = 77  # ctest's skip code for this test (SKIP_RETURN_CODE)
TSHARK = "/usr/bin/tshark"
EXPERT_ERROR = 0x800000

# The checker's field names and the tshark fields that hold the same value.
FIELDS = {
    "cell identity": ["gsm_a.bssmap.cell_ci"],
    "MCC": ["e212.lai.mcc"],
    "MNC": ["e212.lai.mnc"],
    "LAC": ["gsm_a.lac"],
    "TMSI": ["gsm_a.tmsi", "3gpp.tmsi"],
    "IMSI": ["e212.imsi"],
    "timeslot": ["gsm_a.rr.timeslot"],
    "ARFCN": ["gsm_a.rr.single_channel_arfcn"],
    "RR cause": ["gsm_a.rr.RRcause"],
    "cause": ["gsm_a.dtap.cause"],
    "L2 pseudo length": ["gsm_a.rr.l2_pseudo_len"],
    "max retrans": ["gsm_a.rr.max_retrans"],
    "Tx-integer": ["gsm_a.rr.tx_integer"],
    "NCC permitted": ["gsm_a.rr.ncc_permitted"],
    "cipher algorithm": ["gsm_a.rr.algorithm_identifier"],
    "identity type": ["gsm_a.dtap.type_of_identity"],
    "CKSN": ["gsm_a.dtap.ciphering_key_sequence_number"],
    "number": ["gsm_a.dtap.clg_party_bcd_num"],
}
TSHARK_FIELDS = [field for names in FIELDS.values() for field in names]


def read_table(path):
    """The rows without findings of messages the checker knows: (call, octets, name, fields)."""
    rows = []
    for line in open(path, encoding="utf-8"):
        if not line.strip() or line.startswith("#"):
            continue
        call, octets, name, fields, findings = ([cell.strip() for cell in line.split("|")] + [""] * 5)[:5]
        if findings or name == "not checked":
            continue
        pairs = [field.split("=", 1) for field in fields.split(", ")] if fields else []
        rows.append((call, [int(octet, 16) for octet in octets.split()], name, pairs))
    return rows


def journal_line(milliseconds, call, octets):
    array = "[" + ",".join(str(octet) for octet in octets) + "]"
    text = {
        "SendSIMsg": "SendSIMsg(3, %d, %s)" % (len(octets), array),
        "SendPagingReq": "SendPagingReq(0, 2, %d, %s, 0)" % (len(octets), array),
        "SendMsg": "SendMsg(1, 0, %d, %s, 0)" % (len(octets), array),
        "WaitMsg": "WaitMsg(1, 0, 5000, %s)" % array,
    }[call]
    return "%.3f\t%s\t0x00000000\n" % (milliseconds, text)


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def number(text):
    """A number as a number whether written in hex or with leading zeros; an IMSI stays digits."""
    if text.startswith("0x"):
        return int(text, 16)
    return int(text) if text.isdigit() and len(text) <= 10 else text


def decoded_frames(pcap):
    """Per frame that holds a whole message: its time, Info column, expert severities and fields."""
    columns = ["frame.time_epoch", "gsmtap.uplink", "_ws.col.Info", "_ws.expert.severity", "_ws.malformed"]
    columns += TSHARK_FIELDS
    command = [TSHARK, "-r", pcap, "-T", "fields", "-E", "separator=\t", "-E", "occurrence=a"]
    for column in columns:
        command += ["-e", column]
    output = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True, check=True).stdout
    frames = []
    for line in output.splitlines():
        cells = dict(zip(columns, line.split("\t")))
        if "(Fragment)" not in cells["_ws.col.Info"]:
            frames.append(cells)
    return frames


def fields_of(frame):
    seen = {}
    for name, tshark_names in FIELDS.items():
        values = [number(v) for field in tshark_names for v in frame.get(field, "").split(",") if v]
        if values:
            seen[name] = values
    return seen


def check_frame(frame, milliseconds, call, name, pairs):
    problems = []
    if frame["gsmtap.uplink"] != ("1" if call == "WaitMsg" else "0"):
        problems.append("uplink %r" % frame["gsmtap.uplink"])
    info = frame["_ws.col.Info"].strip()
    if not info.endswith(") " + name):
        problems.append("tshark decodes %r" % info)
    severities = [int(s, 0) for s in frame["_ws.expert.severity"].split(",") if s]
    if frame["_ws.malformed"] or any(s >= EXPERT_ERROR for s in severities):
        problems.append("malformed or an expert error (severities %s)" % severities)
    expected = {}
    for field, value in pairs:
        expected.setdefault(field, []).append(number(value))
    if fields_of(frame) != expected:
        problems.append("fields %s, the checker reads %s" % (fields_of(frame), expected))
    if abs(float(frame["frame.time_epoch"]) - milliseconds / 1000) > 1e-6:
        problems.append("time %s, journal %.3f ms" % (frame["frame.time_epoch"], milliseconds))
    return problems


def main(table, work, wine_run, prefix, host):
    if not os.path.exists(TSHARK):
        print("SKIP: %s is missing (./dev setup installs Debian's tshark)" % TSHARK)
        return SKIP
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    rows = read_table(table)
    times = [1000.25 + 7.5 * index for index in range(len(rows))]
    journal, pcap = os.path.join(work, "sent.journal"), os.path.join(work, "sent.pcap")
    with open(journal, "w", encoding="utf-8", newline="\n") as out:
        out.writelines(journal_line(ms, call, octets) for ms, (call, octets, _, _) in zip(times, rows))
    result = subprocess.run([wine_run, prefix, host, "--pcap", windows_path(pcap), windows_path(journal)],
                            stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    print(result.stdout, end="")
    if result.returncode != 0:
        print("FAIL: geranhost --pcap exited %d" % result.returncode)
        return 1
    frames = decoded_frames(pcap)
    problems = [] if len(frames) == len(rows) else ["%d messages decoded, %d sent" % (len(frames), len(rows))]
    for frame, ms, (call, octets, name, pairs) in zip(frames, times, rows):
        problems += ["%s %s: %s" % (call, name, p) for p in check_frame(frame, ms, call, name, pairs)]
    for problem in problems:
        print("FAIL: " + problem)
    print("%d messages, %d decoded by tshark as the checker names them" % (len(rows), len(frames)))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
