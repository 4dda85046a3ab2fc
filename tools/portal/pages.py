"""The demo portal's pages. The programs show them in a small browser view
that runs no script and knows little CSS, so the pages use plain markup:
headings, paragraphs, pictures, links and a body colour. Command links use
the form the programs parse, with a target so that the view asks for a new
window; replies the programs read back are bare text."""
from html import escape

import games

PORTAL_NAME = "Brisco"
CATALOGUE_PAGE_SIZE = 12
CATEGORY_PAGES = (
    ("/orvane/html/topleft/0.html", "Flash 小游戏"),
    ("/orvane/html/hot/rank.htm", "排行榜"),
    ("/orvane/html/pellow/index.htm", "网页游戏"),
    ("/orvane/html/left/0/0.html", "精选推荐"),
)
# The saved Flash game whose slow game page the checks page opens.
SLOW_GAME = 6

KIND_TEXT = {games.FLASH: "Flash 游戏（下载后可离线玩）", games.STREAM: "Flash 游戏（在线播放）",
             games.WEB: "网页游戏（在游戏浏览器中打开）"}


def text(s):
    return escape(s, quote=False)


def attr(s):
    # Single quotes stay as written: command links carry them, and the
    # programs remove them themselves.
    return escape(s, quote=False).replace('"', "&quot;")


def page(title, body, bgcolor="#FFFFFF"):
    return ('<!DOCTYPE html>\n<html><head><meta http-equiv="Content-Type" content="text/html; charset=utf-8">'
            f"<title>{text(title)}</title></head>\n"
            f'<body bgcolor="{bgcolor}" text="#333333">\n{body}\n</body></html>\n')


def command(kind, *fields):
    return "javascript:CALL_API('" + kind + "," + "|".join(fields) + "')"


def command_link(href, label):
    return f'<a href="{attr(href)}" target="_blank">{label}</a>'


def full(host, path):
    return f"http://{host}{path}"


def nav():
    links = " | ".join(f'<a href="{p}">{t}</a>' for p, t in CATEGORY_PAGES)
    return f"<p><b>{PORTAL_NAME}</b> 游戏： {links}</p>\n<hr>\n"


def thumb(g, size=72):
    return f'<img src="{g.thumb}" width="{size}" height="{size}" alt="{attr(g.name)}">'


def open_entry(g, host, note=""):
    """A catalogue line: the game's picture and name open its page in a tab.
    The page address is a full one: the launcher navigates to it unchanged."""
    link = command_link(command("openTable", g.name, full(host, g.page)), f"{thumb(g)} <b>{text(g.name)}</b>")
    return f"<p>{link} <font color=\"#888888\">{text(note or g.intro)}</font></p>\n"


def web_entry(g, host):
    """A web game line: add it to the user's games at once, or see its page."""
    add = command_link(command("WebTable", g.name, g.thumb, full(host, g.play)), "加入我的盒子并开始")
    details = command_link(command("openTable", g.name, full(host, g.page)), "详情")
    return (f"<p>{thumb(g)} <b>{text(g.name)}</b> {text(g.intro)}<br>\n"
            f"{add} | {details}</p>\n")


# --- Catalogue pages -----------------------------------------------------------------

def topleft(index, host):
    entries = games.flash_games()
    count = (len(entries) + CATALOGUE_PAGE_SIZE - 1) // CATALOGUE_PAGE_SIZE
    if not 0 <= index < count:
        return None
    shown = entries[index * CATALOGUE_PAGE_SIZE:(index + 1) * CATALOGUE_PAGE_SIZE]
    pages = " ".join(f"<b>{i + 1}</b>" if i == index else f'<a href="/orvane/html/topleft/{i}.html">{i + 1}</a>'
                     for i in range(count))
    body = (nav() + "<h2>Flash 小游戏</h2>\n<p>点击游戏打开它的介绍页，在那里可以把游戏加入我的盒子。</p>\n"
            + "".join(open_entry(g, host) for g in shown) + f"<p>页码： {pages}</p>")
    return page(f"Flash 小游戏 - 第{index + 1}页", body)


def rank():
    # The list lives in the page's first frame: the programs read command
    # links there when the page itself has none.
    body = (nav() + "<h2>排行榜</h2>\n<p>按人气排列，每周更新。</p>\n"
            '<iframe name="ranklist" src="/orvane/html/hot/list.htm" width="600" height="900"></iframe>')
    return page("排行榜", body)


def rank_list(host):
    rows = "".join(open_entry(g, host, f"第{n}名 · {g.plays} 人玩过") for n, g in enumerate(games.ranking()[:20], 1))
    return page("排行榜列表", rows)


def pellow(host):
    body = (nav() + "<h2>网页游戏</h2>\n<p>网页游戏在 Brisco 游戏浏览器中打开，无需下载。</p>\n"
            + "".join(web_entry(g, host) for g in games.web_games()))
    return page("网页游戏", body)


def feature(host):
    body = (nav() + "<h2>精选推荐</h2>\n" + "".join(open_entry(g, host) for g in games.featured())
            + '<hr>\n<p><font color="#888888">给开发者：</font> <a href="/orvane/html/check/index.htm">'
              "检验页</a>（故意写错的命令，用来检验程序是否拒绝它们）</p>")
    return page("精选推荐", body)


def search(keyword, host):
    if not keyword.strip():
        body = nav() + "<h2>搜索</h2>\n<p>请输入游戏名称再搜索。大家都在玩：</p>\n" + "".join(
            open_entry(g, host) for g in games.ranking()[:5])
        return page("搜索", body)
    found = games.search(keyword)
    head = f"<h2>搜索：{text(keyword)}</h2>\n"
    if found:
        return page(f"搜索：{keyword}", nav() + head + f"<p>找到 {len(found)} 个游戏。</p>\n"
                    + "".join(open_entry(g, host) for g in found))
    return page(f"搜索：{keyword}", nav() + head + f"<p>没有找到与“{text(keyword)}”有关的游戏。试试这些：</p>\n"
                + "".join(open_entry(g, host) for g in games.ranking()[:5]))


def checks(host):
    ev, short, odd = games.EVIL, games.SHORT, games.ODD
    items = [
        ("openTable 只有名字，没有页面地址", command("openTable", "只有名字")),
        ("WebTable 少了游戏地址", command("WebTable", short.name, short.thumb)),
        ("WebTable 没有任何数据", "javascript:CALL_API('WebTable')"),
        ("WebTable 名字不能用作文件名", command("WebTable", ev.name, ev.thumb, full(host, games.BY_ID[23].play))),
        ("FlashTable：本页不接受的命令", command("FlashTable", odd.name, odd.thumb, "/swf/g1.swf", odd.intro)),
        ("PlayTable：谁都不认识的命令", command("PlayTable", odd.name, odd.page)),
        ("打开检验用的游戏页：名字不能用作文件名", command("openTable", "检验-坏名字", full(host, ev.page))),
        ("打开检验用的游戏页：字段不够", command("openTable", "检验-缺字段", full(host, short.page))),
        ("打开检验用的游戏页：未知命令", command("openTable", "检验-未知命令", full(host, odd.page))),
        ("WebTable 图片下载失败（地址不存在）",
         command("WebTable", "检验-下载失败", "/img/missing.jpg", full(host, games.BY_ID[23].play))),
    ]
    slow = games.BY_ID[SLOW_GAME]
    body = (nav() + "<h2>检验页</h2>\n<p>下面每个链接都是一条有毛病的命令。程序应当拒绝它们：不下载、不写入、不崩溃。</p>\n<ol>\n"
            + "".join(f"<li>{command_link(href, text(label))}</li>\n" for label, href in items) + "</ol>\n"
            + "<p>下载途中的操作：这个游戏页的电影下载得很慢。</p>\n<p>"
            + command_link(command("openTable", "检验-慢速下载", full(host, slow.page + "?slow=1")),
                           text(f"打开“{slow.name}”的慢速游戏页")) + "</p>")
    return page("检验页", body)


# --- Game pages ---------------------------------------------------------------------

def game_command(g, host, slow=False):
    thumb_address = full(host, g.thumb) if g.absolute_thumb else g.thumb
    if g.kind == games.WEB:
        return command("WebTable", g.name, thumb_address, full(host, g.play))
    movie = g.slow_movie if slow else g.movie
    movie = full(host, movie) if g.absolute_movie else movie
    return command("FlashTable", g.name, thumb_address, movie, g.intro)


def game(g, host, slow=False):
    """A game's page; slow: its saved movie comes slowly, so that the programs
    can be tried while a download runs."""
    if g in games.CHECKS:
        return check_game(g, host)
    start = "开始游戏" if g.kind == games.WEB else "下载并开始游戏"
    body = (nav() + f"<h1>{text(g.name)}</h1>\n<p>{thumb(g, 96)}</p>\n<p>{text(g.intro)}</p>\n"
            f"<p>类型：{KIND_TEXT[g.kind]}<br>人气：{g.plays} 人玩过</p>\n"
            f"<p>{command_link(game_command(g, host, slow), '<b>' + start + '</b>')}</p>\n"
            '<p><a href="/orvane/html/topleft/0.html">返回游戏列表</a></p>')
    return page(g.name, body)


def check_game(g, host):
    if g is games.EVIL:
        links = [("下载这个名字不能用作文件名的游戏", command("FlashTable", g.name, g.thumb, "/swf/g90.swf", g.intro)),
                 ("把它当作网页游戏加入", command("WebTable", g.name, g.thumb, full(host, games.BY_ID[24].play)))]
    elif g is games.SHORT:
        links = [("FlashTable 只有名字和图片", command("FlashTable", g.name, g.thumb)),
                 ("FlashTable 没有任何数据", "javascript:CALL_API('FlashTable')"),
                 ("WebTable 少了游戏地址", command("WebTable", g.name, g.thumb))]
    else:
        links = [("openTable：游戏页不接受的命令", command("openTable", g.name, full(host, "/game/1.html"))),
                 ("PlayTable：谁都不认识的命令", command("PlayTable", g.name, g.thumb))]
    body = (nav() + f"<h1>检验：{text(g.name)}</h1>\n<p>{text(g.intro)} 程序应当拒绝下面的命令。</p>\n<ol>\n"
            + "".join(f"<li>{command_link(href, text(label))}</li>\n" for label, href in links) + "</ol>")
    return page(f"检验：{g.name}", body)


def web_game(g, level):
    """A web game: its start page and one page per level, each with its own title."""
    if level == 0:
        title, story = g.name, f"欢迎来到《{text(g.name)}》！{text(g.intro)}"
    elif 1 <= level <= len(g.levels):
        title, story = f"{g.name} - {g.levels[level - 1]}", f"你来到了“{text(g.levels[level - 1])}”。"
    else:
        return None
    steps = [f'<a href="/webgame/{g.id}/{i}.html">{text(name)}</a>' for i, name in enumerate(g.levels, 1)]
    body = (f"<h1>{text(title)}</h1>\n<p>{thumb(g, 96)}</p>\n<p>{story}</p>\n<p>前往： {' | '.join(steps)} | "
            f'<a href="/webgame/{g.id}/index.html">回到起点</a></p>')
    return page(title, body, "#FFF8E8")


# --- Portal pages --------------------------------------------------------------------

def home():
    body = (nav() + f"<h1>{PORTAL_NAME} 游戏门户</h1>\n"
            "<p>这是随 Orvane 一起提供的本地演示门户：它提供游戏目录、游戏页、缩略图、Flash 影片、"
            "登录注册、广告页和更新页，全部来自这台电脑。</p>\n<h2>本周推荐</h2>\n"
            + "".join(f'<p><a href="{g.page}">{thumb(g)} {text(g.name)}</a> {text(g.intro)}</p>\n'
                      for g in games.featured())
            + '<hr>\n<p><a href="/html/chongzhi.html">充值中心</a> | <a href="/kefu.htm">客服中心</a> | '
              '<a href="/about/contact.htm">联系我们</a></p>')
    return page(f"{PORTAL_NAME} 游戏门户", body)


def contact():
    body = (nav() + "<h2>联系我们</h2>\n<p>有问题或建议？欢迎告诉我们。</p>\n<ul>\n"
            "<li>客服邮箱：service@brisco.example</li>\n<li>工作时间：每天 9:00 - 21:00</li>\n"
            '<li>常见问题见 <a href="/kefu.htm">客服中心</a></li>\n</ul>')
    return page("联系我们", body)


def top_up():
    body = ("<h2>充值中心</h2>\n<p>演示门户不收取任何费用，下面的套餐只是示例。</p>\n<ul>\n"
            "<li>10 元 = 100 金币</li>\n<li>50 元 = 550 金币</li>\n<li>100 元 = 1200 金币</li>\n</ul>\n"
            '<p><a href="/">回到首页</a></p>')
    return page("充值中心", body, "#F4FFF4")


def customer_service():
    body = ("<h2>客服中心</h2>\n<h3>游戏打不开？</h3>\n<p>请先在游戏浏览器的工具栏点“清理缓存”，再重新打开游戏。</p>\n"
            "<h3>忘记密码？</h3>\n<p>演示门户无法找回密码，请重新注册一个账号。</p>\n"
            '<p><a href="/about/contact.htm">联系我们</a> | <a href="/">回到首页</a></p>')
    return page("客服中心", body, "#F4F8FF")


def space(name):
    if name:
        body = (f"<h3>你好，{text(name)}</h3>\n<p>欢迎回到 {PORTAL_NAME}。</p>\n"
                '<p><a href="/my/logout.php">退出登录</a></p>\n<hr>\n<p><b>大家都在玩</b></p>\n')
    else:
        body = (f"<h3>我的空间</h3>\n<p>登录后可以保存你的游戏记录。</p>\n"
                '<p><a href="/my/login.html" type="8" target="_blank"><b>登录</b></a> | '
                '<a href="/my/register.html" type="9" target="_blank"><b>注册</b></a></p>\n<hr>\n'
                "<p><b>大家都在玩</b></p>\n")
    body += "".join(f'<p><a href="{g.page}" target="_blank">{text(g.name)}</a></p>\n' for g in games.ranking()[:6])
    return page("我的空间", body, "#F9F9F9")


def sign_in_help(what):
    body = (f"<h2>{what}</h2>\n<p>请在 Orvane 的“我的盒子”页中点击“{what}”，在弹出的窗口里完成。</p>\n"
            '<p><a href="/">回到首页</a></p>')
    return page(what, body)


def ad_right():
    # Shown in the notice pop-up, whose page area is about 300 x 170 pixels.
    body = ('<a href="/orvane/html/left/0/0.html" target="_blank"><img src="/img/ad/right.jpg" width="280" '
            'height="110" alt="新游戏上线"></a>\n<p>本周新上线五款游戏，快来试试！</p>')
    return page("新游戏上线", body, "#FFF4E0")


def ad_down():
    body = '<img src="/img/ad/down.jpg" width="468" height="60" alt="精选推荐">'
    return page("精选推荐", body, "#FFFFFF")


def download(version):
    body = (f"<h2>下载 Orvane {text(version)}</h2>\n<p>Orvane 由源代码构建：在源代码目录运行 scripts/run.sh "
            "即可得到最新的程序文件夹。</p>\n<p><a href=\"/\">回到首页</a></p>")
    return page(f"下载 Orvane {version}", body)


def not_found(path):
    return page("无法找到该页", f"<h2>无法找到该页</h2>\n<p>{text(path)}</p>")
