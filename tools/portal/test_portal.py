"""The demo portal over real HTTP on 127.0.0.1: every address the programs
build, the command links in the form they parse, the replies they read back,
the account file, and the refusal pages."""
import hashlib
import http.client
import io
import json
import os
import re
import signal
import socket
import struct
import subprocess
import sys
import tempfile
import time
import unittest
from html.parser import HTMLParser
from urllib.parse import quote, urlsplit

from PIL import Image

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import accounts  # noqa: E402
import portal  # noqa: E402

MARKER = "javascript:CALL_API"
WINDOWS_FILE_NAME_BAD = set('\\/:*?"<>|')
PARSER_EATS = set(",()'|")  # dropped or split on by the programs' command parser


# --- What the programs do with what they receive ------------------------------------

def parse_command(href):
    """The programs' reading of a command link: (kind, fields) or None."""
    if MARKER not in href:
        return None
    rest = href.replace(MARKER, "")
    for gone in "()'":
        rest = rest.replace(gone, "")
    parts = rest.split(",")
    return parts[0], (parts[1].split("|") if len(parts) > 1 else [])


def capture(body):
    """The sign-in, registration and update windows' reading of a reply page:
    the view writes bare text inside implied capital tags, and the windows
    strip markup characters, those tag words and white space."""
    text = "<HTML><HEAD></HEAD><BODY>" + body + "</BODY></HTML>"
    for gone in ("<", ">", "/", "HEAD", "BODY", "HTML", "\n", "\r", "\t", " "):
        text = text.replace(gone, "")
    return text


class Page(HTMLParser):
    def __init__(self, markup):
        super().__init__()
        self.title, self.links, self.images, self.frames = "", [], [], []
        self._in_title = False
        self.feed(markup)

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        if tag == "a" and "href" in a:
            self.links.append(a)
        elif tag == "img":
            self.images.append(a)
        elif tag in ("iframe", "frame"):
            self.frames.append(a)
        elif tag == "title":
            self._in_title = True

    def handle_endtag(self, tag):
        if tag == "title":
            self._in_title = False

    def handle_data(self, data):
        if self._in_title:
            self.title += data

    def commands(self):
        return [(a, parse_command(a["href"])) for a in self.links if parse_command(a["href"])]


def swf_facts(data):
    """Signature, version, declared length, frame size in pixels, rate, count."""
    sig, version, length = data[:3], data[3], struct.unpack("<I", data[4:8])[0]
    bits = "".join(format(b, "08b") for b in data[8:8 + 17])
    nbits = int(bits[:5], 2)
    fields = [int(bits[5 + i * nbits:5 + (i + 1) * nbits], 2) for i in range(4)]
    rect_bytes = (5 + 4 * nbits + 7) // 8
    rate, count = struct.unpack("<HH", data[8 + rect_bytes:12 + rect_bytes])
    return sig, version, length, (fields[1] // 20, fields[3] // 20), rate / 256, count


def read(path):
    with open(path, "rb") as f:
        return f.read()


# --- Harness ---------------------------------------------------------------------------

class Client:
    def __init__(self, port):
        self.port = port
        self.cookie = None

    def get(self, target, raw=False):
        """(status, headers, body bytes). raw: the target goes out byte for byte."""
        if raw:
            return self._raw(target)
        conn = http.client.HTTPConnection("127.0.0.1", self.port, timeout=30)
        headers = {"Cookie": self.cookie} if self.cookie else {}
        conn.request("GET", target, headers=headers)
        r = conn.getresponse()
        body = r.read()
        conn.close()
        for value in r.headers.get_all("Set-Cookie") or []:
            self.cookie = value.split(";")[0]
        return r.status, r.headers, body

    def _raw(self, target):
        with socket.create_connection(("127.0.0.1", self.port), timeout=30) as s:
            s.sendall(b"GET " + target + b" HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n")
            data = b""
            while chunk := s.recv(65536):
                data += chunk
        head, _, body = data.partition(b"\r\n\r\n")
        return int(head.split()[1]), head.decode("latin-1"), body

    def text(self, target):
        status, headers, body = self.get(target)
        return status, headers, body.decode("utf-8")

    def page(self, target):
        status, headers, body = self.text(target)
        if status != 200:
            raise AssertionError(f"{target}: HTTP {status}")
        return Page(body)


class PortalCase(unittest.TestCase):
    update_version, ads, slow_seconds = "3.0", True, 1.5

    @classmethod
    def setUpClass(cls):
        cls.data = tempfile.TemporaryDirectory()
        cls.logged = []
        cls.portal = portal.Portal(cls.data.name, cls.update_version, cls.ads, log=cls.logged.append,
                                   slow_seconds=cls.slow_seconds)
        cls.server, cls.thread = portal.serve_in_thread(cls.portal, log=cls.logged.append)
        cls.port = cls.server.server_port
        cls.host = f"127.0.0.1:{cls.port}"

    @classmethod
    def tearDownClass(cls):
        cls.server.shutdown()
        cls.server.server_close()
        cls.data.cleanup()

    def setUp(self):
        self.client = Client(self.port)

    def relative(self, address):
        """The path of an address that must point at this portal."""
        if "http://" in address:
            parts = urlsplit(address)
            self.assertEqual(parts.netloc, self.host, address)
            return parts.path + ("?" + parts.query if parts.query else "")
        self.assertTrue(address.startswith("/"), address)
        return address


CATALOGUE_PAGES = ["/orvane/html/topleft/0.html", "/orvane/html/topleft/1.html", "/orvane/html/hot/list.htm",
                   "/orvane/html/pellow/index.htm", "/orvane/html/left/0/0.html"]


class Addresses(PortalCase):
    def test_every_address_the_programs_build_answers_with_a_page(self):
        paths = ["", "/about/contact.htm", "/orvane/html/topleft/0.html", "/orvane/html/hot/rank.htm",
                 "/orvane/html/pellow/index.htm", "/orvane/html/left/0/0.html", "/orvane/php/search.php?keyword=",
                 "/my/space1.php", "/orvane/html/ad/adright.html", "/orvane/html/ad/addown.html",
                 "/orvane/uplade.html", "/html/chongzhi.html", "/kefu.htm",
                 "/my/login.php?username=nobody&password=x&cookiesstate=0", "/login.php?username=nobody&password=x&cookiesstate=1",
                 "/my/register.php?username=&password=&email=", "/register.php?username=&password=&email="]
        for path in paths:
            with self.subTest(path=path):
                status, headers, body = self.client.text(path or "/")
                self.assertEqual(status, 200)
                self.assertEqual(headers["Content-Type"], "text/html; charset=utf-8")
                self.assertGreater(len(body), 0)

    def test_pages_have_titles_and_every_picture_and_plain_link_resolves(self):
        for path in ["/", "/about/contact.htm", "/html/chongzhi.html", "/kefu.htm", "/my/space1.php",
                     "/orvane/html/ad/adright.html", "/orvane/html/ad/addown.html", "/orvane/html/hot/rank.htm",
                     "/download/index.html", "/my/login.html", "/my/register.html"] + CATALOGUE_PAGES:
            with self.subTest(path=path):
                page = self.client.page(path)
                self.assertTrue(page.title.strip())
                for img in page.images:
                    status, headers, body = self.client.get(img["src"])
                    self.assertEqual((status, headers["Content-Type"]), (200, "image/jpeg"), img["src"])
                    Image.open(io.BytesIO(body)).verify()
                for link in page.links:
                    if not link["href"].startswith("javascript:"):
                        self.assertEqual(self.client.get(self.relative(link["href"]))[0], 200, link["href"])

    def test_full_addresses_name_the_host_the_page_was_asked_from(self):
        for host, expected in (("portal.test:8470", "portal.test:8470"), (self.host, self.host),
                               ("bad host\"<", f"127.0.0.1:{self.port}"), ("", f"127.0.0.1:{self.port}")):
            with self.subTest(host=host):
                conn = http.client.HTTPConnection("127.0.0.1", self.port, timeout=30)
                conn.putrequest("GET", "/orvane/html/pellow/index.htm", skip_host=True)
                if host:
                    conn.putheader("Host", host)
                conn.endheaders()
                page = Page(conn.getresponse().read().decode("utf-8"))
                conn.close()
                addresses = [f[2] for _, (kind, f) in page.commands() if kind == "WebTable"]
                addresses += [f[1] for _, (kind, f) in page.commands() if kind == "openTable"]
                self.assertTrue(addresses)
                for address in addresses:
                    self.assertEqual(urlsplit(address).netloc, expected)

    def test_unknown_addresses_and_odd_requests_get_a_reply_never_a_server_error(self):
        for path in ["/nothing.html", "/game/999.html", "/game/0.html", "/img/g999.jpg", "/swf/g23.swf",
                     "/orvane/html/topleft/9.html", "/webgame/1/index.html", "/webgame/23/9.html", "/%zz", "/favicon.ico"]:
            with self.subTest(path=path):
                self.assertEqual(self.client.get(path)[0], 404)
        odd = [b"/orvane/php/search.php?keyword=%", b"/orvane/php/search.php?keyword=%zz%ff%fe",
               b"/orvane/php/search.php?keyword=\xff\xfe\x00", b"/orvane/php/search.php?&&&=&keyword",
               b"/my/login.php?username=%00%01&password=%ff", b"/my/login.php?username",
               b"/my/register.php?username=a%0Ab&password=%00%00%00%00%00%00&email=%40",
               b"/my/register.php?" + b"username=" + b"x" * 5000 + b"&password=y&email=z",
               b"/my/space1.php?x=%", b"/my/login.php?username=a&password=b&cookiesstate=%ff"]
        for target in odd:
            with self.subTest(target=target[:60]):
                status, _, body = self.client.get(target, raw=True)
                self.assertEqual(status, 200)
                self.assertTrue(body)
        for method in ("HEAD", "POST", "PUT", "DELETE", "OPTIONS"):
            with self.subTest(method=method):
                conn = http.client.HTTPConnection("127.0.0.1", self.port, timeout=30)
                conn.request(method, "/my/login.php?username=a&password=b", body=b"x" if method != "HEAD" else None)
                r = conn.getresponse()
                body = r.read()
                conn.close()
                if method == "HEAD":
                    self.assertEqual((r.status, body), (200, b""))
                    self.assertEqual(r.headers["Content-Length"], str(len(accounts.UNKNOWN_USER.encode())))
                else:
                    self.assertEqual((r.status, r.headers["Allow"]), (405, "GET, HEAD"))
        # Forged or mangled cookies just mean "not signed in".
        for cookie in ["brisco_user=", "brisco_user=abc.def", "brisco_user=\u00ff", "brisco_user", "=;=;"]:
            with self.subTest(cookie=cookie):
                self.client.cookie = cookie.encode("utf-8").decode("latin-1")
                status, _, body = self.client.text("/my/space1.php")
                self.assertEqual(status, 200)
                self.assertIn('type="8"', body)


class Catalogue(PortalCase):
    def collect(self):
        """Every command on the catalogue pages, and every game reachable from them."""
        commands = []
        for path in CATALOGUE_PAGES:
            for a, cmd in self.client.page(path).commands():
                commands.append((path, a, cmd))
        return commands

    def test_catalogue_commands_are_links_the_catalogue_tab_accepts(self):
        commands = self.collect()
        self.assertTrue(commands)
        for path, a, (kind, fields) in commands:
            with self.subTest(path=path, href=a["href"]):
                # A target other than the link's own frame makes the view ask for a new window.
                self.assertNotIn(a.get("target", "").lower(), ("", "_self", "_top", "_parent"))
                self.assertIn(kind, ("openTable", "WebTable"))
                if kind == "openTable":
                    self.assertEqual(len(fields), 2)
                    self.assertTrue(fields[1].startswith("http://"))  # the launcher navigates to it unchanged
                    self.assertTrue(self.client.page(self.relative(fields[1])).commands())
                else:
                    self.assertEqual(len(fields), 3)
                    self.assertNotIn("http://", fields[1])  # the catalogue tab always prefixes it
                    self.assertEqual(self.client.get(fields[1])[1]["Content-Type"], "image/jpeg")
                    self.assertTrue(fields[2].startswith("http://"))  # used unchanged
                    self.assertTrue(self.client.page(self.relative(fields[2])).title)

    def test_at_least_thirty_games_of_every_kind_with_chinese_names_and_names_with_blanks(self):
        names = {fields[0] for _, _, (kind, fields) in self.collect()}
        self.assertGreaterEqual(len(names), 30)
        self.assertTrue(any(all("\u4e00" <= c <= "\u9fff" for c in n) for n in names))
        self.assertTrue(any(" " in n and any("\u4e00" <= c <= "\u9fff" for c in n) for n in names))
        self.assertTrue(any(" " in n and n.isascii() for n in names))
        for name in names:
            self.assertFalse(set(name) & (WINDOWS_FILE_NAME_BAD | PARSER_EATS), name)
            self.assertEqual(name, name.strip())

    def test_the_ranking_keeps_its_command_links_inside_its_first_frame(self):
        top = self.client.page("/orvane/html/hot/rank.htm")
        self.assertEqual(top.commands(), [])
        self.assertTrue(top.frames)
        inner = self.client.page(top.frames[0]["src"])
        self.assertGreaterEqual(len(inner.commands()), 10)

    def test_category_pages_page_through_the_flash_games(self):
        first, second = (self.client.page(f"/orvane/html/topleft/{i}.html") for i in (0, 1))
        names = [f[0] for _, (_, f) in first.commands()] + [f[0] for _, (_, f) in second.commands()]
        self.assertEqual(len(names), len(set(names)))
        self.assertIn("/orvane/html/topleft/1.html", [a["href"] for a in first.links])


class GamePages(PortalCase):
    def game_commands(self):
        out = []
        for path in CATALOGUE_PAGES:
            for _, (kind, fields) in self.client.page(path).commands():
                if kind == "openTable":
                    out.append(fields[1])
        result = {}
        for page_path in sorted(set(out)):
            page = self.client.page(self.relative(page_path))
            commands = page.commands()
            self.assertEqual(len(commands), 1, page_path)
            a, cmd = commands[0]
            self.assertNotIn(a.get("target", "").lower(), ("", "_self", "_top", "_parent"))
            result[page_path] = (page, cmd)
        return result

    def test_each_game_page_offers_its_flash_or_web_command_with_working_addresses(self):
        thumbs, movies, kinds = {}, {}, set()
        for path, (page, (kind, fields)) in self.game_commands().items():
            with self.subTest(page=path):
                self.assertEqual(page.title, fields[0])
                thumb_status, thumb_headers, thumb = self.client.get(self.relative(fields[1]))
                self.assertEqual((thumb_status, thumb_headers["Content-Type"]), (200, "image/jpeg"))
                self.assertEqual(Image.open(io.BytesIO(thumb)).format, "JPEG")
                thumbs[fields[1]] = thumb
                self.assertNotRegex(fields[1].rsplit("/", 1)[1], r"^[12]\.")  # never the program's own movie names
                if kind == "FlashTable":
                    self.assertEqual(len(fields), 4)
                    self.assertTrue(fields[3])
                    kinds.add("stream" if "?nosave" in fields[2] else "saved")
                    status, headers, movie = self.client.get(self.relative(fields[2]))
                    self.assertEqual((status, headers["Content-Type"]), (200, "application/x-shockwave-flash"))
                    sig, version, length, size, rate, count = swf_facts(movie)
                    self.assertEqual((sig, length), (b"FWS", len(movie)))
                    self.assertGreater(min(size), 0)
                    self.assertGreater(count, 0)
                    movies[fields[2]] = movie
                    self.assertNotRegex(fields[2].split("?")[0].rsplit("/", 1)[1], r"^[12]\.swf$")
                else:
                    self.assertEqual(kind, "WebTable")
                    self.assertEqual(len(fields), 3)
                    kinds.add("web")
        self.assertEqual(kinds, {"saved", "stream", "web"})
        self.assertEqual(len(set(thumbs.values())), len(thumbs))  # a picture of its own per game
        self.assertEqual(len({m.split("?")[0] for m in movies}), len(set(movies.values())))
        for addresses in (thumbs, movies):
            self.assertTrue(any(a.startswith("http://") for a in addresses))
            self.assertTrue(any(a.startswith("/") for a in addresses))

    def test_web_games_have_pages_with_titles_of_their_own(self):
        starts = []
        for _, (kind, fields) in self.client.page("/orvane/html/pellow/index.htm").commands():
            if kind != "WebTable":
                continue
            start = self.client.page(self.relative(fields[2]))
            self.assertEqual(start.title, fields[0])
            starts.append(start.title)
            levels = [link["href"] for link in start.links if not link["href"].endswith("/index.html")]
            self.assertTrue(levels)
            titles = {self.client.page(href).title for href in levels}
            self.assertEqual(len(titles), len(levels))
            self.assertNotIn(start.title, titles)
        self.assertGreaterEqual(len(starts), 10)
        self.assertEqual(len(set(starts)), len(starts))

    def test_refusals_can_be_tried_from_the_checks_pages(self):
        feature = self.client.page("/orvane/html/left/0/0.html")
        checks_path = next(a["href"] for a in feature.links if "check" in a["href"])
        checks = self.client.page(checks_path)
        seen = {"short": False, "unknown": False, "evil": False, "fails": False}
        game_pages = []
        for a, (kind, fields) in checks.commands():
            self.assertEqual(a.get("target"), "_blank")
            need = {"openTable": 2, "WebTable": 3}.get(kind)
            if need is None:
                seen["unknown"] = True
            elif len(fields) < need:
                seen["short"] = True
            elif kind == "openTable":
                game_pages.append(fields[1])
            elif fields[0] != "..\\..\\evil" and self.client.get(fields[1])[0] == 404:
                seen["fails"] = True  # a usable command whose thumbnail download fails
            if fields and fields[0] == "..\\..\\evil":
                seen["evil"] = True
        self.assertEqual(seen, {"short": True, "unknown": True, "evil": True, "fails": True})
        on_game_pages = {"short": False, "unknown": False, "evil": False}
        for path in game_pages:
            for _, (kind, fields) in self.client.page(self.relative(path)).commands():
                need = {"FlashTable": 4, "WebTable": 3}.get(kind)
                if need is None:
                    on_game_pages["unknown"] = True
                elif len(fields) < need:
                    on_game_pages["short"] = True
                elif fields[0] == "..\\..\\evil":
                    on_game_pages["evil"] = True
                    self.assertEqual(self.client.get(self.relative(fields[1]))[0], 200)
        self.assertEqual(on_game_pages, {"short": True, "unknown": True, "evil": True})


    def test_the_slow_game_page_gives_its_saved_movie_spread_over_time(self):
        checks = self.client.page("/orvane/html/check/index.htm")
        opened = [f[1] for _, (kind, f) in checks.commands() if kind == "openTable" and "slow=1" in f[-1]]
        self.assertEqual(len(opened), 1)
        (_, (kind, slow)), = self.client.page(self.relative(opened[0])).commands()
        (_, (_, usual)), = self.client.page(urlsplit(opened[0]).path).commands()
        self.assertEqual(kind, "FlashTable")
        self.assertEqual((slow[0], slow[1], slow[3]), (usual[0], usual[1], usual[3]))
        self.assertNotIn("?nosave", slow[2])
        self.assertNotEqual(slow[2], usual[2])
        started = time.monotonic()
        status, headers, movie = self.client.get(self.relative(slow[2]))
        took = time.monotonic() - started
        self.assertEqual((status, headers["Content-Type"]), (200, "application/x-shockwave-flash"))
        self.assertEqual(movie, self.client.get(self.relative(usual[2]))[2])
        self.assertGreaterEqual(took, self.slow_seconds * 0.9)


class Search(PortalCase):
    def names(self, status_headers_body):
        status, _, body = status_headers_body
        self.assertEqual(status, 200)
        return [f[0] for _, (_, f) in Page(body.decode("utf-8")).commands()]

    def test_keywords_arrive_however_the_typed_text_was_sent(self):
        base = b"/orvane/php/search.php?keyword="
        cases = [
            (base + quote("连连").encode(), "连连看"),                # percent-encoded UTF-8
            (base + "连连".encode("utf-8"), "连连看"),                # raw UTF-8 bytes
            (base + quote("连连", encoding="gbk").encode(), "连连看"),  # the Chinese ANSI code page
            (base + "连连".encode("gbk"), "连连看"),
            (base + b"Bubble Pop 2", "Bubble Pop 2"),                 # a raw blank in the request line
            (base + b"bubble%20pop", "Bubble Pop 2"),
            (base + "宝石 迷".encode("utf-8"), "宝石 迷阵"),
        ]
        for target, expected in cases:
            with self.subTest(target=target):
                self.assertEqual(self.names(self.client.get(target, raw=True)), [expected])

    def test_empty_and_unmatched_keywords_get_a_page_with_suggestions(self):
        for keyword in ["", "%20%20", "没有这种游戏"]:
            with self.subTest(keyword=keyword):
                status, _, body = self.client.text("/orvane/php/search.php?keyword=" + quote(keyword, safe="%"))
                self.assertEqual(status, 200)
                self.assertEqual(len(Page(body).commands()), 5)
        status, _, body = self.client.text("/orvane/php/search.php?keyword=" + quote("没有这种游戏"))
        self.assertIn("没有找到与“没有这种游戏”有关的游戏", body)
        status, _, body = self.client.text("/orvane/php/search.php?keyword=%3Cb%3E")
        self.assertNotIn("<b><", body)  # typed markup comes back as text


class Accounts(PortalCase):
    def register(self, name, password="secret1", email="a@b.cn", channel="/my"):
        return self.client.text(f"{channel}/register.php?username={quote(name)}&password={quote(password)}"
                                f"&email={quote(email)}")

    def sign_in(self, name, password, remember="0", channel="/my"):
        return self.client.text(f"{channel}/login.php?username={quote(name)}&password={quote(password)}"
                                f"&cookiesstate={remember}")

    def assert_reply(self, response, expected):
        status, headers, body = response
        self.assertEqual(status, 200)
        self.assertEqual(capture(body), expected)
        self.assertLess(len(body), 1001)
        self.assertIn("no-store", headers["Cache-Control"])
        self.assertEqual(headers["Pragma"], "no-cache")

    def test_registration_replies_in_both_channel_forms(self):
        self.assert_reply(self.register("张三"), "0")
        self.assert_reply(self.register("张三"), accounts.NAME_TAKEN)
        self.assert_reply(self.register("Alice Lee", channel=""), "0")
        self.assert_reply(self.register("alice lee"), accounts.NAME_TAKEN)
        self.assert_reply(self.register(" Alice Lee "), accounts.NAME_TAKEN)
        self.assert_reply(self.register(""), accounts.NO_NAME)
        self.assert_reply(self.register("bob", password=""), accounts.NO_PASSWORD)
        self.assert_reply(self.register("bob", email=""), accounts.NO_EMAIL)
        self.assert_reply(self.register("bob", email="no-at-sign"), accounts.EMAIL_BAD)
        self.assert_reply(self.register("bob", password="12345"), accounts.PASSWORD_SHORT)
        self.assert_reply(self.register("x" * 21), accounts.NAME_TOO_LONG)
        self.assert_reply(self.register("a/b"), accounts.NAME_BAD)
        self.assert_reply(self.client.text("/my/register.php"), accounts.NO_NAME)
        self.assert_reply(self.client.text("/register.php?username=bob"), accounts.NO_PASSWORD)

    def test_sign_in_replies_and_the_cookie_the_space_page_reads(self):
        self.assert_reply(self.register("李四", "p@ss word"), "0")
        other = Client(self.port)
        self.client = other
        self.assert_reply(self.sign_in("李四", "wrong-one"), accounts.WRONG_PASSWORD)
        self.assert_reply(self.sign_in("王五", "whatever"), accounts.UNKNOWN_USER)
        self.assert_reply(self.sign_in("", "x"), accounts.NO_NAME)
        self.assert_reply(self.sign_in("李四", ""), accounts.NO_PASSWORD)
        self.assertIsNone(other.cookie)
        space = self.client.text("/my/space1.php")
        self.assertIn("no-store", space[1]["Cache-Control"])
        signed_out = Page(space[2])
        types = {a.get("type"): a for a in signed_out.links}
        self.assertEqual(types["8"].get("target"), "_blank")
        self.assertEqual(types["9"].get("target"), "_blank")
        self.assertNotIn("李四", space[2])

        for channel, remember in (("/my", "0"), ("", "1")):
            with self.subTest(channel=channel, remember=remember):
                self.client = Client(self.port)
                status, headers, body = self.sign_in(" 李四 ", "p@ss word", remember, channel)
                self.assert_reply((status, headers, body), "0")
                cookie = headers["Set-Cookie"]
                self.assertEqual("Expires=" in cookie, remember == "1")
                space = self.client.text("/my/space1.php")[2]
                self.assertIn("李四", space)
                self.assertNotIn('type="8"', space)
                # A cookie naming someone else without the portal's key is refused.
                name, _, mac = self.client.cookie.partition("=")[2].partition(".")
                forged = self.portal.accounts.cookie_value("张三").split(".")[0] + "." + mac
                self.client.cookie = "brisco_user=" + forged
                self.assertIn('type="8"', self.client.text("/my/space1.php")[2])
        self.client = Client(self.port)
        self.sign_in("李四", "p@ss word")
        self.assertIn('type="8"', self.client.text("/my/logout.php")[2])
        self.assertIn('type="8"', self.client.text("/my/space1.php")[2])

    def test_account_file_is_replaced_whole_and_holds_no_password(self):
        self.register("first user", "same-password")
        path = self.portal.accounts.path
        before = os.stat(path).st_ino
        self.register("second user", "same-password")
        self.assertNotEqual(os.stat(path).st_ino, before)  # a new file renamed over the old one
        self.assertEqual([n for n in os.listdir(os.path.dirname(path)) if n.startswith(".tmp")], [])
        raw = read(path)
        self.assertNotIn(b"same-password", raw)
        users = {u["name"]: u for u in json.loads(raw)["users"]}
        a, b = users["first user"], users["second user"]
        self.assertNotEqual(a["salt"], b["salt"])
        self.assertNotEqual(a["hash"], b["hash"])
        self.assertGreaterEqual(a["iterations"], 100_000)
        self.assertEqual(hashlib.pbkdf2_hmac("sha256", b"same-password", bytes.fromhex(a["salt"]),
                                             a["iterations"]).hex(), a["hash"])
        # A portal started again on the same folder knows the accounts and its cookies.
        again = accounts.AccountStore(os.path.dirname(path))
        self.assertEqual(again.sign_in("first user", "same-password"), ("0", "first user"))
        self.assertEqual(again.name_from_cookie(self.portal.accounts.cookie_value("second user")), "second user")

    def test_an_unreadable_account_file_is_kept_aside(self):
        with tempfile.TemporaryDirectory() as folder:
            with open(os.path.join(folder, "accounts.json"), "w") as f:
                f.write("{not json")
            lines = []
            store = accounts.AccountStore(folder, lines.append)
            self.assertEqual(store.sign_in("anyone", "x")[0], accounts.UNKNOWN_USER)
            aside = [n for n in os.listdir(folder) if n.startswith("accounts.json.unreadable")]
            self.assertEqual(len(aside), 1)
            self.assertEqual(read(os.path.join(folder, aside[0])), b"{not json")
            self.assertEqual(len(lines), 1)
            self.assertEqual(store.register("new", "secret1", "n@e.w"), "0")


class UpdateAndAds(PortalCase):
    def test_update_page_offers_this_version_and_ads_are_pages(self):
        status, headers, body = self.client.text("/orvane/uplade.html")
        self.assertIn("no-store", headers["Cache-Control"])
        version, address = capture(body).split("|")
        self.assertEqual(float(version), 3.0)
        self.assertEqual(address, f"{self.host}\\download\\index.html")
        for path in ("/orvane/html/ad/adright.html", "/orvane/html/ad/addown.html"):
            page = self.client.page(path)
            self.assertTrue(page.images)


class NewerVersionNoAds(PortalCase):
    update_version, ads = "3.5", False

    def test_newer_version_leads_to_a_download_page_and_ads_are_short_404s(self):
        version, address = capture(self.client.text("/orvane/uplade.html")[2]).split("|")
        self.assertEqual(version, "3.5")
        # The launcher opens "http://" + the address with "\" for "/".
        opened = urlsplit("http://" + address.replace("\\", "/"))
        self.assertEqual(opened.netloc, self.host)
        self.assertIn("3.5", self.client.page(opened.path).title)
        for path in ("/orvane/html/ad/adright.html", "/orvane/html/ad/addown.html"):
            status, _, body = self.client.get(path)
            self.assertEqual(status, 404)
            self.assertLess(len(body), 512)  # short: the view shows its own not-found page


class CommandLine(unittest.TestCase):
    def start(self, *args):
        proc = subprocess.Popen([sys.executable, os.path.join(HERE, "portal.py"), *args],
                                stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        self.addCleanup(lambda: proc.poll() is None and proc.kill())
        return proc

    def test_starts_logs_each_request_without_passwords_and_stops_on_ctrl_c(self):
        with tempfile.TemporaryDirectory() as data:
            proc = self.start("--port", "0", "--data", data, "--update-version", "3.2")
            line = proc.stdout.readline()
            port = int(re.search(r"127\.0\.0\.1:(\d+)/", line).group(1))
            client = Client(port)
            self.assertEqual(capture(client.text("/orvane/uplade.html")[2]).split("|")[0], "3.2")
            client.text("/my/login.php?username=u&password=TopSecret&cookiesstate=0")
            proc.send_signal(signal.SIGINT)
            out, err = proc.communicate(timeout=30)
            self.assertEqual(proc.returncode, 0)
            self.assertIn("portal stopped", out)
            lines = err.splitlines()
            self.assertEqual(len(lines), 2)
            self.assertIn('"GET /orvane/uplade.html HTTP/1.1" 200', lines[0])
            self.assertIn("password=***", lines[1])
            self.assertNotIn("TopSecret", err)

    def test_a_taken_port_or_a_bad_version_is_a_clear_error(self):
        with socket.socket() as taken:
            taken.bind(("127.0.0.1", 0))
            taken.listen()
            with tempfile.TemporaryDirectory() as data:
                proc = self.start("--port", str(taken.getsockname()[1]), "--data", data)
                out, err = proc.communicate(timeout=30)
                self.assertEqual(proc.returncode, 1)
                self.assertIn("cannot listen on 127.0.0.1:", err)
                proc = self.start("--data", data, "--update-version", "new")
                out, err = proc.communicate(timeout=30)
                self.assertEqual(proc.returncode, 2)
                self.assertIn("--update-version", err)


if __name__ == "__main__":
    unittest.main()
