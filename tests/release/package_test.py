#!/usr/bin/env python3
"""What scripts/package puts in the zip: 说明.txt made from this README, and
the zip itself as Windows' zip folder and the archivers read it.

    package_test.py SOURCE_DIR VERSION
"""
import io
import os
import re
import struct
import subprocess
import sys
import tempfile
import unittest
import zipfile
import zlib

SOURCE, VERSION = sys.argv[1], sys.argv[2]
sys.path.insert(0, os.path.join(SOURCE, "scripts"))
import readme_to_text  # noqa: E402
import release_zip  # noqa: E402

with open(os.path.join(SOURCE, "README.md"), encoding="utf-8") as f:
    README = f.read()


def plain(text):
    """text without spaces, line breaks and quotes, which wrapping and
    quoting commands change."""
    return re.sub(r"[\s“”\0]", "", text)


class PlayersText(unittest.TestCase):
    def test_readme_becomes_chinese_text_for_notepad_with_every_message(self):
        data = readme_to_text.players_text(README, VERSION).encode("gbk")
        text = data.decode("gbk")
        self.assertNotRegex(text, r"\r(?!\n)|(?<!\r)\n", "CR LF after every line, nothing else")
        self.assertTrue(text.startswith(f"Tarnwick {VERSION} 说明\r\n"))
        for leftover in ("![", "**", "`", "|---", "](", "\0"):
            self.assertNotIn(leftover, text)
        flat = plain(text)
        players = README.split("## 给玩家", 1)[1].split("\n## ", 1)[0]
        messages = [line.split("|")[1] for line in players.splitlines()
                    if line.startswith("|") and not line.startswith(("|---", "| 您看到的"))]
        self.assertGreater(len(messages), 20)
        headings = [h for h in re.findall(r"^## (.*)", README, re.M)
                    if h.startswith(tuple(s for s, _ in readme_to_text.PLAYER_SECTIONS))]
        for wanted in messages + headings:
            self.assertIn(plain(readme_to_text.inline(wanted)), flat)
        # What a player needs comes first, the checksums after it, and no
        # developer's command at all.
        self.assertEqual([h for h in re.findall(r"^(.+)\r\n=+\r\n", text, re.M)][1:],
                         [h for s, _ in readme_to_text.PLAYER_SECTIONS for h in headings if h.startswith(s)])
        self.assertLess(text.index("1. "), text.index("certutil"))
        self.assertNotRegex(text, r"\bgit\b|scripts/")
        # Notepad does not wrap: every line fits, code too; a line breaks
        # neither inside a quoted text that fits on a line nor inside "……".
        for line in text.splitlines():
            self.assertLessEqual(readme_to_text.columns(line), readme_to_text.WIDTH, line)
        for quote in re.findall(r"“[^“”]*”", text):
            if "\n" in quote:
                self.assertGreater(readme_to_text.columns(re.sub(r"\s*\r\n\s*", "", quote)),
                                   readme_to_text.QUOTE_WIDTH, quote)
        self.assertNotRegex(text, r"…\s*\n\s*…")

    def test_download_section_names_this_versions_zip(self):
        download = README.split("## 下载 / Download", 1)[1].split("\n## ", 1)[0]
        self.assertTrue(f"`Tarnwick-{VERSION}.zip`" in download, "the download section names another zip")
        self.assertEqual(set(re.findall(r"Tarnwick-(\d[\d.]*\d)\.zip", README)), {VERSION})


class ReleaseZip(unittest.TestCase):
    ENTRIES = [("Tarnwick.exe", b"MZ" + bytes(range(256)) * 40), ("说明.txt", "说明\r\n".encode("gbk")),
               ("SHA256SUMS", b"")]
    SECONDS = 1765000001  # 2025-12-06 05:46:41 UTC

    def test_names_times_and_order_as_windows_and_the_archivers_read_them(self):
        data = release_zip.zip_bytes(self.ENTRIES, self.SECONDS)
        self.assertEqual(data, release_zip.zip_bytes(self.ENTRIES, self.SECONDS))
        archive = zipfile.ZipFile(io.BytesIO(data))
        self.assertIsNone(archive.testzip())
        infos = archive.infolist()
        # Without the UTF-8 flag zipfile decodes names as code page 437:
        # the bytes Windows' zip folder reads in the system's code page.
        raw = [info.filename.encode("cp437") for info in infos]
        self.assertEqual(raw, [name.encode("gbk") for name, _ in self.ENTRIES])
        for info, (name, content) in zip(infos, self.ENTRIES):
            self.assertEqual(info.flag_bits & 0x800, 0)
            self.assertEqual(info.create_system, 0)
            self.assertEqual(info.date_time, (2025, 12, 6, 5, 46, 40))
            self.assertEqual(archive.read(info), content)
            local_extra = data[info.header_offset + 30 + len(info.filename):][:len(info.extra)]
            self.assertEqual(local_extra, info.extra)
            if name.isascii():
                self.assertEqual(info.extra, b"")
                continue
            tag, size, version, crc = struct.unpack_from("<HHBI", info.extra)
            self.assertEqual((tag, size, version, crc), (0x7075, len(info.extra) - 4, 1,
                                                         zlib.crc32(name.encode("gbk"))))
            self.assertEqual(info.extra[9:].decode("utf-8"), name)
        # Info-ZIP's unzip takes the name from the Unicode Path field.
        with tempfile.NamedTemporaryFile(suffix=".zip") as f:
            f.write(data)
            f.flush()
            listed = subprocess.run(["unzip", "-Z1", f.name], capture_output=True, check=True,
                                    env=dict(os.environ, LC_ALL="C.UTF-8"))
        self.assertEqual(listed.stdout.decode("utf-8").split(), [name for name, _ in self.ENTRIES])


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
