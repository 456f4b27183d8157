#!/usr/bin/python3
# Fails while a text marked for translation in the sources has no translation: brings
# copies of the .ts files up to date with lupdate, then reads them. Chinese keeps the
# program's own Chinese texts exactly, and the error texts that files and callers rely on
# stay as they are in every language.
import os, shutil, subprocess, sys, tempfile
import xml.etree.ElementTree as ET

lupdate, source_root = sys.argv[1], sys.argv[2]
ts_files = sys.argv[3:]
ERRORS = "quillon::Errors"


def is_chinese(text):
    return any("\u3000" <= c <= "\u9fff" or "\uff00" <= c <= "\uffef" for c in text)


failures = []
with tempfile.TemporaryDirectory() as work:
    copies = []
    for ts in ts_files:
        copy = os.path.join(work, os.path.basename(ts))
        shutil.copy(ts, copy)
        copies.append(copy)
    run = subprocess.run([lupdate, "-I", source_root, "-no-obsolete", "-locations", "none",
                          os.path.join(source_root, "app"), os.path.join(source_root, "platform/qt"),
                          "-ts"] + copies, capture_output=True, text=True)
    if run.returncode != 0:
        sys.exit("lupdate failed:\n" + run.stdout + run.stderr)
    counts = {}
    for copy in copies:
        name = os.path.basename(copy)
        language = ET.parse(copy).getroot().get("language")
        messages = 0
        for context in ET.parse(copy).getroot().iter("context"):
            scope = context.find("name").text
            for message in context.iter("message"):
                messages += 1
                source = message.find("source").text or ""
                translation = message.find("translation")
                text = translation.text or ""
                where = f"{name}: {scope}: {source!r}"
                if translation.get("type") in ("unfinished", "vanished", "obsolete") or not text:
                    failures.append(f"{where} has no translation")
                elif scope == ERRORS and text != source:
                    failures.append(f"{where} must stay as it is, not {text!r}")
                elif language == "zh_CN" and is_chinese(source) and text != source:
                    failures.append(f"{where} is the program's own text, not {text!r}")
                elif language == "en" and is_chinese(text):
                    failures.append(f"{where} is not English: {text!r}")
        counts[name] = messages
    if len(set(counts.values())) != 1 or not all(counts.values()):
        failures.append(f"the translations hold different texts: {counts}")

for failure in failures:
    print(failure)
if failures:
    sys.exit(1)
print("every marked text is translated:", counts)
