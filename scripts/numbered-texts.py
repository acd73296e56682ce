#!/usr/bin/env python3
"""Keeps translations/numbered_<lang>.ts in step with the sources.

The plug-in, the driver and the host show numbered texts ("NNNNN::default text") through the
language service, which asks Qt's translators in the context "NumberedTexts" with the whole
numbered text as the source. lupdate cannot see them (they are plain string literals, registry
values and catalogue entries), so this script collects them: C++ string literals (adjacent
literals joined, escapes resolved), "Name" values of resources/registry/*.reg and the texts of
resources/OstrelNB4410.mpc. Translations already in the file are kept; texts no longer in the
sources are marked obsolete.

    scripts/numbered-texts.py de       # writes translations/numbered_de.ts
"""
import re
import sys
import xml.etree.ElementTree as ET
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
CONTEXT = "NumberedTexts"
NUMBERED = re.compile(r"^\d{3,5}::")
LITERALS = re.compile(r'(?:"(?:[^"\\\n]|\\.)*"\s*)+')
ONE_LITERAL = re.compile(r'"((?:[^"\\\n]|\\.)*)"')
ESCAPES = {"n": "\n", "r": "\r", "t": "\t", "\\": "\\", '"': '"', "'": "'"}


def unescape(body):
    return re.sub(r"\\(.)", lambda m: ESCAPES.get(m.group(1), "\\" + m.group(1)), body)


def from_sources():
    found = {}
    for folder in ("plugin", "vti", "host", "app"):
        for path in sorted((ROOT / folder).rglob("*")):
            if path.suffix not in (".cpp", ".h"):
                continue
            for match in LITERALS.finditer(path.read_text(encoding="utf-8")):
                # XML keeps no carriage return; the language service looks texts up without them.
                text = "".join(unescape(part) for part in ONE_LITERAL.findall(match.group(0))).replace("\r", "")
                if NUMBERED.match(text):
                    found.setdefault(text, str(path.relative_to(ROOT)))
    for path in sorted((ROOT / "resources" / "registry").glob("*.reg")):
        for value in re.findall(r'^"Name"="((?:[^"\\]|\\.)*)"', path.read_text(encoding="utf-8"), re.M):
            text = value.replace('\\"', '"').replace("\\\\", "\\")
            if NUMBERED.match(text):
                found.setdefault(text, str(path.relative_to(ROOT)))
    catalogue = ROOT / "resources" / "OstrelNB4410.mpc"
    for element in ET.parse(catalogue).iter():
        for text in [element.text or ""] + list(element.attrib.values()):
            text = text.strip()
            if NUMBERED.match(text):
                found.setdefault(text, str(catalogue.relative_to(ROOT)))
    return found


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: numbered-texts.py LANGUAGE")
    language = sys.argv[1]
    target = ROOT / "translations" / f"numbered_{language}.ts"
    kept = {}
    if target.exists():
        for message in ET.parse(target).iter("message"):
            translation = message.find("translation")
            if translation is not None and translation.text and translation.get("type") not in ("unfinished",):
                kept[message.findtext("source")] = translation.text
    texts = from_sources()
    ts = ET.Element("TS", version="2.1", language=language)
    context = ET.SubElement(ts, "context")
    ET.SubElement(context, "name").text = CONTEXT
    for text in sorted(texts, key=lambda t: (int(t.split("::")[0]), t)):
        message = ET.SubElement(context, "message")
        ET.SubElement(message, "location", filename="../" + texts[text], line="0")
        ET.SubElement(message, "source").text = text
        translation = ET.SubElement(message, "translation")
        if text in kept:
            translation.text = kept[text]
        else:
            translation.set("type", "unfinished")
    for text in sorted(set(kept) - set(texts)):
        message = ET.SubElement(context, "message")
        ET.SubElement(message, "source").text = text
        ET.SubElement(message, "translation", type="vanished").text = kept[text]
    ET.indent(ts)
    target.write_text('<?xml version="1.0" encoding="utf-8"?>\n<!DOCTYPE TS>\n' + ET.tostring(ts, encoding="unicode") + "\n",
                      encoding="utf-8")
    done = sum(1 for t in texts if t in kept)
    print(f"{target.relative_to(ROOT)}: {len(texts)} texts, {done} translated")


if __name__ == "__main__":
    main()
