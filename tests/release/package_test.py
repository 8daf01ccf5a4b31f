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
    def test_players_text_is_short_chinese_for_notepad_with_every_message(self):
        with open(os.path.join(SOURCE, "docs", "players.md"), encoding="utf-8") as f:
            players = f.read()
        data = readme_to_text.players_text(README, players, VERSION, "https://www.example.org/").encode("gbk")
        text = data.decode("gbk")
        self.assertNotRegex(text, r"\r(?!\n)|(?<!\r)\n", "CR LF after every line, nothing else")
        self.assertTrue(text.startswith(f"Tarnwick {VERSION} 说明\r\n"))
        for leftover in ("![", "**", "`", "|---", "](", "\0", "{"):
            self.assertNotIn(leftover, text)
        lines = text.splitlines()
        self.assertLessEqual(len(lines), 200)
        # Every message of the README's tables, with what to do.
        flat = plain(text)
        section = README.split("## 给玩家", 1)[1].split("\n## ", 1)[0]
        messages = [line.split("|")[1] for line in section.splitlines()
                    if line.startswith("|") and not line.startswith(("|---", "| 您看到的"))]
        self.assertGreater(len(messages), 20)
        for message in messages:
            self.assertIn(plain(readme_to_text.inline(message)), flat)
        # Chinese only: no English sentence outside the commands shown, and
        # nothing for developers.
        prose = re.sub(r"“[^“”]*”", "", "\n".join(line for line in lines if not line.startswith("    ")))
        english = re.search(r"\b[A-Za-z]{2,}(?: [a-z]{2,}){2,}\b", prose)
        self.assertIsNone(english, english and english.group())
        for word in ("test", "build", "package", "font", "code page", "Debian", "CMake", "apt",
                     "测试", "编译", "构建", "软件包", "字体", "代码页", "写入顺序", "git", "scripts/"):
            self.assertFalse(word.lower() in text.lower(), word)
        # The five kinds of field, each explained in an item of its own;
        # the hit points with their "%".
        fields = text.split("各个数值的意思", 1)[1]
        for caption in ("血值", "时局", "局次", "时间", "人数"):
            self.assertTrue(re.search(rf"\n- {caption}（\d 个，默认[^）]*）：\S{{6}}", fields), caption)
        self.assertIn("%", fields.split("\n- 时局")[0])
        # The download check before the first start; every line fits
        # Notepad; a line breaks neither inside a quoted text that fits on
        # a line nor inside "……".
        self.assertLess(text.index("核对下载的文件"), text.index("1. "))
        self.assertLess(text.index("1. "), text.index("certutil"))
        for line in lines:
            self.assertLessEqual(readme_to_text.columns(line), readme_to_text.WIDTH, line)
        for match in re.finditer(r"“[^“”]*”", text):
            quote = match.group()
            if "\n" in quote:
                self.assertGreater(readme_to_text.columns(re.sub(r"\s*\r\n\s*", "", quote)),
                                   readme_to_text.QUOTE_WIDTH, quote)
                # A quote broken inside starts its line.
                before = text[text.rfind("\n", 0, match.start()) + 1:match.start()]
                self.assertRegex(before, r"^\s*(- |\d+\. )?$", quote)
        self.assertNotRegex(text, r"…\s*\n\s*…")

    def test_a_quote_too_long_for_a_line_starts_a_line_of_its_own(self):
        quote = "“在" + "很长的设置名称里" * 6 + "中添加”"
        lines = readme_to_text.wrap("打开 Windows 安全中心，" + quote + "，再试", "- ", "  ")
        self.assertEqual(lines[0], "- 打开 Windows 安全中心，")
        self.assertTrue(lines[1].startswith("  “在很长"), lines)
        # One that fits after the text before it stays there.
        self.assertEqual(readme_to_text.wrap("先看“短的引文”再说", "- ", "  "), ["- 先看“短的引文”再说"])

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


class Package(unittest.TestCase):
    def test_a_release_is_not_made_with_the_placeholder_links(self):
        env = {k: v for k, v in os.environ.items() if not k.startswith("TARNWICK_")}
        for links in ({}, {"TARNWICK_CONTACT_ADDRESS": "mailto:a@example.org"}):
            run = subprocess.run([os.path.join(SOURCE, "scripts", "package")], capture_output=True,
                                 env=dict(env, **links), text=True)
            self.assertEqual(run.returncode, 1, run.stderr)
            self.assertIn("--test-build", run.stderr)
            self.assertEqual(run.stdout, "", "nothing built")


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
