#!/usr/bin/env python3
"""The demo game portal "Brisco" that the launcher and the player use by
default: catalogue pages, game pages, thumbnails and movies, the user's
space page, sign-in and registration, advertisement pages, the update page
and the player's home, top-up and customer-service pages, all served from
this machine on 127.0.0.1.

    python3 tools/portal/portal.py [--port 8470] [--data DIR] [--update-version 3.0] [--no-ads]

One line is logged per request; Ctrl-C (or SIGTERM) stops it."""
import argparse
import email.utils
import os
import re
import signal
import sys
import threading
import time
import traceback
from http import cookies
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer
from urllib.parse import unquote, unquote_to_bytes

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import accounts  # noqa: E402
import games  # noqa: E402
import media  # noqa: E402
import pages  # noqa: E402

DEFAULT_PORT = 8470
DEFAULT_DATA = os.path.join(HERE, "..", "..", "build", "portal-data")
COOKIE = "brisco_user"
COOKIE_DAYS = 30
PASSWORD_IN_QUERY = re.compile(r"([?&]password=)[^&\s]*")
HOST_FORM = re.compile(r"^[A-Za-z0-9.\-]+(:\d{1,5})?$")
SLOW_MOVIE_SECONDS = 15  # how long a slow game page's movie takes to arrive
SLOW_PIECES = 20
NO_CACHE = (("Cache-Control", "no-store, no-cache, must-revalidate, max-age=0"), ("Pragma", "no-cache"),
            ("Expires", "0"))


def decode_value(raw):
    """A query value as the programs send it: typed text appended unencoded,
    so it may arrive percent-encoded or as raw bytes, UTF-8 or the Chinese
    ANSI code page. "+" is a plus sign: nothing here form-encodes."""
    data = unquote_to_bytes(raw.encode("latin-1", "replace"))
    for encoding in ("utf-8", "gbk"):
        try:
            return data.decode(encoding)
        except UnicodeDecodeError:
            pass
    return data.decode("utf-8", "replace")


def parse_query(query):
    values = {}
    for part in query.split("&"):
        name, _, value = part.partition("=")
        name = decode_value(name)
        if name and name not in values:
            values[name] = decode_value(value)
    return values


class Reply:
    def __init__(self, body, status=200, content_type="text/html; charset=utf-8", headers=(), fresh=False,
                 seconds=0.0):
        self.body = body.encode("utf-8") if isinstance(body, str) else body
        self.status = status
        self.content_type = content_type
        self.headers = list(headers) + (list(NO_CACHE) if fresh else [])
        self.seconds = seconds  # the body is spread over this long (0: sent at once)

    def pieces(self):
        """(piece, pause before the next one) in the order they go out."""
        if not self.seconds or not self.body:
            return [(self.body, 0.0)]
        size = -(-len(self.body) // SLOW_PIECES)
        parts = [self.body[i:i + size] for i in range(0, len(self.body), size)]
        return [(part, self.seconds / len(parts) if i + 1 < len(parts) else 0.0) for i, part in enumerate(parts)]


class Portal:
    """What the portal serves; independent of the HTTP plumbing."""

    def __init__(self, data_dir, update_version="3.0", ads=True, log=print, slow_seconds=SLOW_MOVIE_SECONDS):
        self.accounts = accounts.AccountStore(data_dir, log)
        self.update_version = update_version
        self.ads = ads
        self.slow_seconds = slow_seconds
        self.media = media.MediaCache()
        self.exact = {
            "/": self.home, "/index.html": self.home, "/index.htm": self.home,
            "/about/contact.htm": lambda r: Reply(pages.contact()),
            "/orvane/html/hot/rank.htm": lambda r: Reply(pages.rank()),
            "/orvane/html/hot/list.htm": lambda r: Reply(pages.rank_list(r.host)),
            "/orvane/html/pellow/index.htm": lambda r: Reply(pages.pellow(r.host)),
            "/orvane/html/left/0/0.html": lambda r: Reply(pages.feature(r.host)),
            "/orvane/html/check/index.htm": lambda r: Reply(pages.checks(r.host)),
            "/orvane/php/search.php": self.search,
            "/orvane/html/ad/adright.html": lambda r: self.ad(pages.ad_right),
            "/orvane/html/ad/addown.html": lambda r: self.ad(pages.ad_down),
            "/orvane/uplade.html": self.update,
            "/download/index.html": lambda r: Reply(pages.download(self.update_version)),
            "/my/space1.php": self.space,
            "/my/login.php": self.sign_in, "/login.php": self.sign_in,
            "/my/register.php": self.register, "/register.php": self.register,
            "/my/logout.php": self.sign_out,
            "/my/login.html": lambda r: Reply(pages.sign_in_help("登录")),
            "/my/register.html": lambda r: Reply(pages.sign_in_help("注册")),
            "/html/chongzhi.html": lambda r: Reply(pages.top_up()),
            "/kefu.htm": lambda r: Reply(pages.customer_service()),
            "/img/ad/right.jpg": lambda r: self.picture("ad-right", lambda: media.banner(
                280, 110, "新游戏上线", "Brisco 每周推荐", 0.08)),
            "/img/ad/down.jpg": lambda r: self.picture("ad-down", lambda: media.banner(
                468, 60, "精选推荐 · 天天有新游戏", "Brisco", 0.55)),
        }
        self.patterns = [
            (re.compile(r"/orvane/html/topleft/(\d{1,3})\.html"), self.topleft),
            (re.compile(r"/game/(\d{1,4})\.html"), self.game),
            (re.compile(r"/img/g(\d{1,4})\.jpg"), self.thumbnail),
            (re.compile(r"/swf/g(\d{1,4})\.swf"), self.movie),
            (re.compile(r"/swf/slow/g(\d{1,4})\.swf"), self.slow_movie),
            (re.compile(r"/webgame/(\d{1,4})/(index|\d{1,2})\.html"), self.web_game),
        ]

    def reply(self, request):
        handler = self.exact.get(request.path)
        if handler:
            return handler(request) or self.missing(request)
        for pattern, handler in self.patterns:
            m = pattern.fullmatch(request.path)
            if m:
                return handler(request, *m.groups()) or self.missing(request)
        return self.missing(request)

    @staticmethod
    def missing(request):
        return Reply(pages.not_found(request.path), status=404)

    def home(self, r):
        return Reply(pages.home())

    def topleft(self, r, index):
        body = pages.topleft(int(index), r.host)
        return Reply(body) if body else None

    def search(self, r):
        return Reply(pages.search(r.query.get("keyword", ""), r.host))

    def game(self, r, game_id):
        g = games.BY_ID.get(int(game_id))
        return Reply(pages.game(g, r.host, slow=r.query.get("slow") == "1")) if g else None

    def web_game(self, r, game_id, level):
        g = games.BY_ID.get(int(game_id))
        if not g or g.kind != games.WEB:
            return None
        body = pages.web_game(g, 0 if level == "index" else int(level))
        return Reply(body) if body else None

    def picture(self, key, make):
        return Reply(self.media.get(key, make), content_type="image/jpeg")

    def thumbnail(self, r, game_id):
        g = games.BY_ID.get(int(game_id))
        return self.picture(("thumb", g.id), lambda: media.thumbnail(g)) if g else None

    def movie(self, r, game_id, seconds=0.0):
        g = games.BY_ID.get(int(game_id))
        if not g or g.kind == games.WEB:
            return None
        return Reply(self.media.get(("swf", g.id), lambda: media.swf(g)),
                     content_type="application/x-shockwave-flash", seconds=seconds)

    def slow_movie(self, r, game_id):
        g = games.BY_ID.get(int(game_id))
        return self.movie(r, game_id, self.slow_seconds) if g and g.kind == games.FLASH else None

    def ad(self, make):
        if not self.ads:
            return Reply("Not found", status=404, content_type="text/plain; charset=utf-8")
        return Reply(make())

    def update(self, r):
        # The reply is read with every "/" removed, so the download address
        # is written with "\" (the launcher turns it back into an address).
        return Reply(f"{self.update_version}|{r.host}\\download\\index.html", fresh=True)

    def space(self, r):
        name = self.accounts.name_from_cookie(r.cookie(COOKIE))
        return Reply(pages.space(name), fresh=True)

    def sign_in(self, r):
        result, name = self.accounts.sign_in(r.query.get("username"), r.query.get("password"))
        headers = []
        if name:
            headers.append(("Set-Cookie", self.cookie_header(name, r.query.get("cookiesstate") == "1")))
        return Reply(result, headers=headers, fresh=True)

    def register(self, r):
        q = r.query
        result = self.accounts.register(q.get("username"), q.get("password"), q.get("email"))
        headers = []
        if result == accounts.OK:  # a new account is signed in for this browser session
            headers.append(("Set-Cookie", self.cookie_header(accounts.AccountStore.clean_name(q["username"]), False)))
        return Reply(result, headers=headers, fresh=True)

    def sign_out(self, r):
        expired = f"{COOKIE}=; Path=/; Expires=Thu, 01 Jan 1970 00:00:00 GMT; Max-Age=0"
        return Reply(pages.space(None), headers=[("Set-Cookie", expired)], fresh=True)

    def cookie_header(self, name, remember):
        header = f"{COOKIE}={self.accounts.cookie_value(name)}; Path=/"
        if remember:
            expires = email.utils.formatdate(time.time() + COOKIE_DAYS * 86400, usegmt=True)
            header += f"; Expires={expires}; Max-Age={COOKIE_DAYS * 86400}"
        return header


class Request:
    def __init__(self, target, headers, port):
        path, _, query = target.partition("?")
        self.path = unquote(path.split("#")[0], errors="replace")
        self.query = parse_query(query.split("#")[0]) if query else {}
        self.headers = headers
        host = headers.get("Host", "")
        self.host = host if HOST_FORM.match(host) else f"127.0.0.1:{port}"

    def cookie(self, name):
        jar = cookies.SimpleCookie()
        try:
            jar.load(self.headers.get("Cookie", ""))
        except cookies.CookieError:
            return None
        return jar[name].value if name in jar else None


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    server_version = "BriscoDemoPortal/1.0"
    # Headers and body leave in separate writes; with Nagle's algorithm the
    # body would wait for the client's delayed acknowledgement (about 40 ms
    # a request on a kept-alive connection).
    disable_nagle_algorithm = True

    def parse_request(self):
        # The programs append typed text unencoded; a blank in it reaches us
        # raw and would split the request line.
        line = str(self.raw_requestline, "iso-8859-1").rstrip("\r\n")
        parts = line.split(" ")
        if len(parts) > 3 and parts[-1].startswith("HTTP/"):
            self.raw_requestline = f"{parts[0]} {'%20'.join(parts[1:-1])} {parts[-1]}\r\n".encode("iso-8859-1")
        return super().parse_request()

    def do_GET(self):
        self.respond(send_body=True)

    def do_HEAD(self):
        self.respond(send_body=False)

    def refuse_method(self):
        # The pages have no forms; anything but reading is refused plainly.
        body = b"Only GET and HEAD"
        self.send_response(405)
        self.send_header("Allow", "GET, HEAD")
        self.send_header("Content-Type", "text/plain; charset=utf-8")
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Connection", "close")  # any request body stays unread
        self.end_headers()
        self.wfile.write(body)
        self.close_connection = True

    do_POST = do_PUT = do_DELETE = do_PATCH = do_OPTIONS = refuse_method

    def respond(self, send_body):
        try:
            reply = self.server.portal.reply(Request(self.path, self.headers, self.server.server_port))
        except Exception:  # never expected: logged whole, answered plainly
            traceback.print_exc()
            reply = Reply("Internal error", status=500, content_type="text/plain; charset=utf-8")
        self.send_response(reply.status)
        self.send_header("Content-Type", reply.content_type)
        self.send_header("Content-Length", str(len(reply.body)))
        for name, value in reply.headers:
            self.send_header(name, value)
        self.end_headers()
        if not send_body:
            return
        try:
            for piece, pause in reply.pieces():
                self.wfile.write(piece)
                time.sleep(pause)
        except (BrokenPipeError, ConnectionResetError):
            self.close_connection = True  # the client gave up on a slow reply

    def log_request(self, code="-", size="-"):
        code = getattr(code, "value", code)
        line = PASSWORD_IN_QUERY.sub(r"\1***", self.requestline)  # passwords never reach the log
        self.server.log(f"{time.strftime('%H:%M:%S')} {self.client_address[0]} \"{line}\" {code}")

    def log_error(self, format, *args):
        pass  # the request line is logged once by log_request


class PortalServer(ThreadingHTTPServer):
    daemon_threads = True

    def __init__(self, port, portal, log):
        self.portal = portal
        self.log = log
        super().__init__(("127.0.0.1", port), Handler)


def log_line(line):
    print(line, file=sys.stderr, flush=True)


def serve_in_thread(portal, port=0, log=log_line):
    """For tests: a running server on 127.0.0.1 (port 0 picks a free one)."""
    server = PortalServer(port, portal, log)
    thread = threading.Thread(target=server.serve_forever, daemon=True)
    thread.start()
    return server, thread


def main(argv=None):
    parser = argparse.ArgumentParser(description="The demo game portal of the Orvane launcher.")
    parser.add_argument("--port", type=int, default=DEFAULT_PORT, help="port on 127.0.0.1 (default %(default)s)")
    parser.add_argument("--data", default=DEFAULT_DATA, help="folder of the account file (default build/portal-data)")
    parser.add_argument("--update-version", default="3.0", help="version the update page offers (default %(default)s)")
    parser.add_argument("--no-ads", action="store_true", help="both advertisement pages answer 404")
    args = parser.parse_args(argv)
    if not re.fullmatch(r"[0-9][0-9.]*", args.update_version):
        parser.error("--update-version takes a version number such as 3.0")

    portal = Portal(os.path.abspath(args.data), args.update_version, not args.no_ads, log=log_line)
    try:
        server = PortalServer(args.port, portal, log_line)
    except OSError as e:
        print(f"portal: cannot listen on 127.0.0.1:{args.port}: {e.strerror}", file=sys.stderr)
        return 1

    def stop(signum, frame):
        raise KeyboardInterrupt
    # Also SIGINT: a portal started in the background of a script inherits
    # it ignored, and then Ctrl-C or "kill -INT" would not reach it.
    signal.signal(signal.SIGTERM, stop)
    signal.signal(signal.SIGINT, stop)
    print(f"Brisco demo portal on http://127.0.0.1:{server.server_port}/ (accounts in {portal.accounts.path});"
          " Ctrl-C stops it", flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass
    finally:
        server.server_close()
    print("portal stopped", flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
