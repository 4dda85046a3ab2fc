"""Portal accounts: a JSON file in the data folder, replaced atomically
(written under a new name, then renamed over the old one), passwords kept
only as salted PBKDF2 hashes. Also the signed cookie that says who is signed
in, so the portal keeps no session table and survives a restart."""
import base64
import hashlib
import hmac
import json
import os
import re
import secrets
import tempfile
import threading
import time

ITERATIONS = 120_000
MAX_NAME = 20
MIN_PASSWORD = 6
MAX_FIELD = 100
EMAIL = re.compile(r"^[^@\s]+@[^@\s]+\.[^@\s.]+$")

# The portal's replies. The programs show them as they come, after removing
# every blank and "/", so they hold neither.
OK = "0"
NO_NAME = "请输入用户名"
NO_PASSWORD = "请输入密码"
NO_EMAIL = "请输入邮箱"
UNKNOWN_USER = "用户名不存在"
WRONG_PASSWORD = "密码错误"
NAME_TAKEN = "用户名已被注册"
NAME_TOO_LONG = f"用户名不能超过{MAX_NAME}个字"
NAME_BAD = "用户名含有不能使用的字符"
PASSWORD_SHORT = f"密码至少需要{MIN_PASSWORD}位"
PASSWORD_BAD = "密码含有不能使用的字符"
EMAIL_BAD = "邮箱格式不正确"


def _has_control(text):
    return any(ord(c) < 32 or ord(c) == 127 for c in text)


def _hash(password, salt, iterations):
    return hashlib.pbkdf2_hmac("sha256", password.encode("utf-8"), salt, iterations).hex()


def _write_atomically(path, data):
    folder = os.path.dirname(path)
    fd, temp = tempfile.mkstemp(prefix=".tmp-", dir=folder)
    try:
        with os.fdopen(fd, "wb") as f:
            f.write(data)
            f.flush()
            os.fsync(f.fileno())
        os.replace(temp, path)
    except BaseException:
        try:
            os.unlink(temp)
        except OSError:
            pass
        raise


class AccountStore:
    def __init__(self, folder, log=print):
        os.makedirs(folder, exist_ok=True)
        self.path = os.path.join(folder, "accounts.json")
        self._lock = threading.Lock()
        self._users = self._load(log)
        self._secret = self._load_secret(os.path.join(folder, "cookie.key"))

    def _load(self, log):
        try:
            with open(self.path, "rb") as f:
                doc = json.loads(f.read().decode("utf-8"))
            users = doc["users"]
            if not isinstance(users, list) or not all(isinstance(u, dict) and "name" in u for u in users):
                raise ValueError("no list of users")
            return {u["name"].casefold(): u for u in users}
        except FileNotFoundError:
            return {}
        except (ValueError, KeyError, TypeError, UnicodeDecodeError) as e:
            # Kept aside, never overwritten: someone may want it back.
            aside = f"{self.path}.unreadable-{int(time.time())}"
            os.replace(self.path, aside)
            log(f"accounts file unreadable ({e}); moved to {aside}, starting with no accounts")
            return {}

    @staticmethod
    def _load_secret(path):
        try:
            with open(path, "rb") as f:
                key = f.read()
            if len(key) >= 32:
                return key
        except FileNotFoundError:
            pass
        key = secrets.token_bytes(32)
        _write_atomically(path, key)
        return key

    def _save(self):
        doc = {"version": 1, "users": sorted(self._users.values(), key=lambda u: u["created"])}
        _write_atomically(self.path, json.dumps(doc, ensure_ascii=False, indent=1).encode("utf-8"))

    @staticmethod
    def clean_name(name):
        return (name or "").strip(" \t")

    def register(self, name, password, email):
        """OK, or the portal's error text."""
        name, email = self.clean_name(name), (email or "").strip(" \t")
        if not name:
            return NO_NAME
        if not password:
            return NO_PASSWORD
        if not email:
            return NO_EMAIL
        if len(name) > MAX_NAME:
            return NAME_TOO_LONG
        if _has_control(name) or any(c in name for c in "<>&\"'\\/%"):
            return NAME_BAD
        if _has_control(password) or len(password) > MAX_FIELD:
            return PASSWORD_BAD
        if len(password) < MIN_PASSWORD:
            return PASSWORD_SHORT
        if len(email) > MAX_FIELD or not EMAIL.match(email):
            return EMAIL_BAD
        salt = secrets.token_bytes(16)
        record = {"name": name, "email": email, "salt": salt.hex(), "iterations": ITERATIONS,
                  "hash": _hash(password, salt, ITERATIONS), "created": time.strftime("%Y-%m-%dT%H:%M:%S")}
        with self._lock:
            if name.casefold() in self._users:
                return NAME_TAKEN
            self._users[name.casefold()] = record
            try:
                self._save()
            except OSError:
                del self._users[name.casefold()]
                raise
        return OK

    def sign_in(self, name, password):
        """(OK, the account's name as registered) or (error text, None)."""
        name = self.clean_name(name)
        if not name:
            return NO_NAME, None
        if not password:
            return NO_PASSWORD, None
        with self._lock:
            user = self._users.get(name.casefold())
        if user is None:
            return UNKNOWN_USER, None
        expected = _hash(password, bytes.fromhex(user["salt"]), int(user["iterations"]))
        if not hmac.compare_digest(expected, user["hash"]):
            return WRONG_PASSWORD, None
        return OK, user["name"]

    # The cookie: the name and a keyed hash of it, so it cannot be forged.
    def cookie_value(self, name):
        encoded = base64.urlsafe_b64encode(name.encode("utf-8")).decode("ascii").rstrip("=")
        return encoded + "." + hmac.new(self._secret, encoded.encode("ascii"), "sha256").hexdigest()

    def name_from_cookie(self, value):
        encoded, _, mac = (value or "").partition(".")
        good = hmac.new(self._secret, encoded.encode("ascii", "replace"), "sha256").hexdigest()
        if not encoded or not hmac.compare_digest(mac.encode("utf-8", "replace"), good.encode("ascii")):
            return None
        try:
            name = base64.urlsafe_b64decode(encoded + "=" * (-len(encoded) % 4)).decode("utf-8")
        except ValueError:
            return None
        with self._lock:
            user = self._users.get(name.casefold())
        return user["name"] if user else None
