#!/usr/bin/env python3
"""Writes the sample publisher's pages in www/ from the invented articles and catalogue below.

Everything here is invented for this site: the publisher, its writers, its news and its films.
The pictures the pages show are drawn by server.py (/pictures/<name>.png). Each page reports its
load to the server (/__loaded?title=...), which the tests and the benchmark watch for. Run it
again after changing the texts: python3 sample-site/make_pages.py
"""

import html
import os

WWW = os.path.join(os.path.dirname(os.path.abspath(__file__)), "www")
NAV = ('<p class="nav"><a href="/">Publisher Home</a> · <a href="/zel_news.htm">All news feeds</a>'
       ' · <a href="/Free_Downloads.htm">Free Downloads</a></p>')
BEACON = ('addEventListener("load", () => fetch("/__loaded?title=" + '
          'encodeURIComponent(document.title), {cache: "no-store"}));')

# The programs the menus download, with the sizes their captions give.
PROGRAMS = [
    ("Vellumar Database Application", "11.1 MB", "trialversion/setup.exe", "trial",
     "A database for small offices: forms, reports and a query builder that reads like English."),
    ("PixoCompressor", "820 KB", "PixoTrial/setup.exe", "trial",
     "Shrinks photographs for mail and the web, a folder at a time, without visible loss."),
    ("KoloDownloader", "215 KB", "KoloDownTrial/setup.exe", "trial",
     "Resumes broken downloads and keeps a tidy list of what came from where."),
    ("KoloCrawler", "217 KB", "KoloCrawlerTrial/setup.exe", "trial",
     "Walks a web site and reports its broken links, slow pages and missing pictures."),
    ("KoloDraw", "324 KB", "KoloDrawTrial/setup.exe", "trial",
     "Diagrams and floor plans with shapes that snap together."),
    ("KoloMailer", "219 KB", "KoloMailerTrial/setup.exe", "trial",
     "Sends a club's newsletter to its members, one personal letter each."),
    ("KoloBrowser", "206 KB", "KoloBrowserTrial/setup.exe", "trial",
     "A small, quick browser for older machines."),
    ("KoloSolitaire", "539 KB", "KoloSolTrial/setup.exe", "trial",
     "Twelve card games with hints, undo and an honest score."),
    ("Zel Player", "344 KB", "ZelFree/ZelPlayer.exe", "free",
     "Plays music and radio streams, with a sleep timer."),
    ("Zel Surfer", "116 KB", "ZelFree/ZelSurfer.exe", "free",
     "Keeps the addresses you visit often one click away."),
    ("Zel Editor", "432 KB", "ZelFree/ZelEditor.exe", "free",
     "A plain text editor with tabs, search across files and no surprises."),
    ("Zel Phonebook", "424 KB", "ZelFree/ZelPhonebook.exe", "free",
     "Names, numbers and birthdays, printable as a pocket booklet."),
    ("Zel Games Collection", "4.3 MB", "ZelFree/ZelGames.exe", "free",
     "Eight puzzle and board games for the whole family."),
    ("Zel Tidewell", "156 KB", "ZelFree/ZelTidewell.exe", "free",
     "The news reader: world-wide daily news, chosen by category."),
]

# The news pages: title, the line under it, and their articles (headline, writer, date,
# paragraphs). Every name, company and event is invented.
NEWS = {
    "computer_technology.htm": (
        "Computer Technology News",
        "Processors, memory and the machines built from them: today's headlines.", [
            ("Harrowgate Labs shows a laptop chip that sleeps between keystrokes",
             "Mira Odalen", "8 December 2026", [
                 "Harrowgate Labs demonstrated a processor on Monday that powers down its cores "
                 "in the pause between two keystrokes and wakes them before the next one lands. "
                 "The company says a writer's laptop could run for three working days on a charge.",
                 "Engineers at the launch in Velmar admitted the design still stumbles on video "
                 "calls, where the cores never rest. Samples go to laptop makers in the spring."]),
            ("Memory prices fall for the fourth month running",
             "Tobias Renner", "7 December 2026", [
                 "Module prices slipped another six percent in November as three new plants in "
                 "the Kessel valley reached full output. Traders expect the slide to slow once "
                 "holiday orders are filled.",
                 "For buyers the advice is simple: a desktop upgrade to 64 gigabytes now costs "
                 "less than a pair of good headphones."]),
            ("A repair shop in Oldbridge keeps twenty-year-old towers running",
             "Ines Varga", "6 December 2026", [
                 "Behind a bakery in Oldbridge, Pell Computing fixes machines that most shops "
                 "would recycle. Its owner keeps a wall of spare fans, power supplies and "
                 "keyboards sorted by year.",
                 "\"People bring me the computer their parents wrote letters on,\" she says. "
                 "\"The files matter more to them than the speed.\""]),
        ]),
    "internet_technology.htm": (
        "Internet Technology News",
        "Networks, browsers and the services that run on them.", [
            ("Coastal towns switch on shared fibre rings",
             "Jonas Pietri", "8 December 2026", [
                 "Eleven towns along the Sarrow coast lit a shared fibre ring last week, ending "
                 "years of evening slowdowns. Each town owns a strand and rents spare capacity "
                 "to the others.",
                 "Residents measured download speeds four times higher than in October, and the "
                 "cooperative says prices will stay flat for two years."]),
            ("Browser makers agree on a quieter way to ask for permissions",
             "Ada Lindqvist", "5 December 2026", [
                 "Four browser projects announced a common design for permission requests: a "
                 "small line under the address bar instead of a box in the middle of the page.",
                 "Early tests found that people read the line more often and refused unwanted "
                 "requests twice as often as before."]),
        ]),
    "multimedia_technology.htm": (
        "Multimedia Technology News",
        "Sound, pictures and video, at home and on the road.", [
            ("Open camera format reaches version two",
             "Felix Amundsen", "7 December 2026", [
                 "The Lumen raw format, written by a group of camera makers and photo editors, "
                 "now stores the lens profile inside each picture, so that editors can correct "
                 "distortion without a lookup table.",
                 "Three camera firms promise firmware updates before the spring fairs."]),
            ("Radio station rebuilds its archive from 4,000 tapes",
             "Sana Halvorsen", "4 December 2026", [
                 "Volunteers at Radio Estermark spent a year digitising reel tapes found in a "
                 "flooded cellar. The recordings span forty years of local concerts and "
                 "interviews.",
                 "The archive goes on line in January, free to listen to."]),
        ]),
    "industry_news.htm": (
        "More Technology, Business, & Articles",
        "The companies behind the machines, and what they plan next.", [
            ("Calloway Systems buys a small maker of school tablets",
             "Ruth Abernathy", "8 December 2026", [
                 "Calloway Systems agreed to buy Tinbird Learning, whose rugged tablets are used "
                 "in eight hundred schools. The price was not disclosed.",
                 "Tinbird's founders will stay on, and the tablets keep their name."]),
            ("Why office printers refuse to die",
             "Karel Most", "3 December 2026", [
                 "Every year analysts predict the end of office printing, and every year sales "
                 "hold steady. Our writer spent a week with the people who still print: "
                 "lawyers, teachers and a choir director.",
                 "Their answer was the same: paper is the one screen that never needs charging."]),
        ]),
    "movies.htm": (
        "Top10 Movies News",
        "This week's ten most watched films.", [
            ("\"The Lantern Keeper\" holds the top spot for a third week",
             "Nora Bellweather", "8 December 2026", [
                 "The quiet story of a lighthouse keeper and her radio pen-friend kept its lead "
                 "over two new releases, helped by word of mouth and rainy weekends.",
                 "The full list of the week's ten most watched films is below."]),
        ]),
    "computer_games.htm": (
        "Computer Video Games News",
        "New games, old favourites and the people who make them.", [
            ("A two-person studio's farming game sells a million copies",
             "Leo Castellan", "7 December 2026", [
                 "\"Barleyfield\", made by a married couple in a converted barn, passed a million "
                 "copies sold eight months after release. Players tend fields, trade at a weekly "
                 "market and write letters to a distant cousin.",
                 "The pair say a winter update with frozen rivers is nearly done."]),
            ("Chess puzzle contest draws players from forty countries",
             "Dara Quill", "2 December 2026", [
                 "The annual Knight's Tour contest ended with a tie between a retired teacher and "
                 "a fourteen-year-old student, who will share the prize.",
                 "This year's hardest puzzle was solved by only nine players."]),
        ]),
    "golf_tournaments.htm": (
        "Golf Tournaments News",
        "Scores, courses and players from the world's golf tournaments.", [
            ("Late birdie wins the Hollin Bay Classic",
             "Gareth Moyle", "7 December 2026", [
                 "Elin Sorvik holed a twelve-foot putt on the final green to win the Hollin Bay "
                 "Classic by a single stroke, her first title in three seasons.",
                 "Strong winds off the bay kept the scores high all week."]),
            ("Course designers plant native grass on thirty holes",
             "Priya Dunmore", "1 December 2026", [
                 "The Westmere club replaced watered rough with native grasses, saving water and "
                 "drawing back birds that had left the area.",
                 "Members say the new rough is less forgiving, and more beautiful."]),
        ]),
    "tennis_tournaments.htm": (
        "Tennis Tournaments News",
        "Results and reports from the tennis tours.", [
            ("Veteran reaches the Calder Indoor final",
             "Mateo Rinaldi", "8 December 2026", [
                 "At thirty-six, Anders Holt reached his first final in two years at the Calder "
                 "Indoor, beating the second seed in three sets.",
                 "He meets the young left-hander Tomas Vey on Sunday."]),
            ("Doubles pair plays its last match together",
             "Hanna Greve", "6 December 2026", [
                 "After eleven seasons and nineteen titles, the doubles team of Kessler and Oyelaran "
                 "said goodbye with a win before a full house.",
                 "Both will coach at the academy where they first met."]),
        ]),
    "world_press_news.htm": (
        "World Politics & Events News",
        "Politics and events from around the world.", [
            ("River nations sign a shared flood plan",
             "Amara Lindgren", "8 December 2026", [
                 "Five countries along the Ostra river signed a plan to share rainfall data every "
                 "hour and to open spillways together when the water rises.",
                 "The plan follows two winters of floods that closed bridges for weeks."]),
            ("City of Marrow votes to keep its night trains",
             "Pavel Sorensen", "5 December 2026", [
                 "Marrow's council voted to keep three night train routes that had been marked "
                 "for closure, after a petition gathered forty thousand signatures.",
                 "The routes will be paid for by a small rise in parking fees."]),
        ]),
}

# The daily news sections of the Online menu: each gathers the day's stories of its field.
SECTIONS = {
    "tech_news.htm": ("Zel Daily Technology News", "Computers, the Internet and multimedia.",
                      ["computer_technology.htm", "internet_technology.htm",
                       "multimedia_technology.htm"]),
    "entertainment_news.htm": ("Zel Daily Entertainment News", "Movies, games and music.",
                               ["movies.htm", "computer_games.htm"]),
    "business_news.htm": ("Zel Daily Business News", "Companies and the stock market.",
                          ["industry_news.htm"]),
    "sports_news.htm": ("Zel Daily Sports News", "Golf, tennis and more.",
                        ["golf_tournaments.htm", "tennis_tournaments.htm"]),
    "world_news.htm": ("Zel Daily World News", "Politics and world events.",
                       ["world_press_news.htm"]),
}

FILMS = [("The Lantern Keeper", "drama", "1.9 million"),
         ("Copper Sky", "adventure", "1.6 million"),
         ("Seven Doors East", "mystery", "1.2 million"),
         ("The Ferryman's Daughter", "drama", "1.1 million"),
         ("Minor Planets", "comedy", "980,000"),
         ("Harbour Lights", "romance", "870,000"),
         ("Ironwood", "thriller", "820,000"),
         ("The Long Winter Fair", "family", "760,000"),
         ("Signal from Vessa", "science fiction", "700,000"),
         ("A Map of Small Towns", "documentary", "640,000")]


def page(title, heading, body):
    return (f'<!DOCTYPE html>\n<html lang="en">\n<head>\n<meta charset="utf-8">\n'
            f'<title>{html.escape(title)}</title>\n<link rel="stylesheet" href="/zel.css">\n'
            f'<script>\n{BEACON}\n</script>\n</head>\n<body>\n'
            f'<h1>{html.escape(heading)}</h1>\n{body}{NAV}\n</body>\n</html>\n')


def article(stem, number, story):
    headline, writer, date, paragraphs = story
    text = "".join(f"<p>{html.escape(p)}</p>\n" for p in paragraphs)
    return (f'<article>\n<h2>{html.escape(headline)}</h2>\n'
            f'<p class="byline">By {html.escape(writer)} · {date}</p>\n'
            f'<img src="/pictures/{stem}-{number}.png" alt="" width="640" height="360">\n'
            f'{text}</article>\n')


def news_page(name, title, lede, stories):
    stem = name.removesuffix(".htm")
    body = f'<p class="lede">{html.escape(lede)}</p>\n'
    for number, story in enumerate(stories, 1):
        body += article(stem, number, story)
        if name == "movies.htm":
            body += '<ol class="films">\n' + "".join(
                f"<li><b>{html.escape(film)}</b> ({kind}), {viewers} viewers</li>\n"
                for film, kind, viewers in FILMS) + "</ol>\n"
    return page(title, title, body)


def program_list(kinds):
    rows = "".join(
        f'<tr><td><b>{html.escape(name)}</b><br>{html.escape(text)}</td><td>{size}</td>'
        f'<td><a href="/{path}">Download</a></td></tr>\n'
        for name, size, path, kind, text in PROGRAMS if kind in kinds)
    return f'<table class="programs">\n{rows}</table>\n'


def main():
    pages = {name: news_page(name, *entry) for name, entry in NEWS.items()}
    for name, (title, lede, sources) in SECTIONS.items():
        body = f'<p class="lede">{html.escape(lede)}</p>\n'
        for source in sources:
            stem = source.removesuffix(".htm")
            body += "".join(article(stem, n, story)
                            for n, story in enumerate(NEWS[source][2][:2], 1))
        pages[name] = page(title, title, body)
    pages["index.htm"] = page("Zelsoft Publisher Home", "Zelsoft",
        '<p>Welcome to the publisher of Zel Tidewell, the Kolo tools and the Vellumar '
        'database. Free programs for everyone, and trial versions of our tools for work.</p>\n'
        + program_list({"free", "trial"})).replace(
        "<h1>", '<img class="banner" src="/pictures/zelsoft.svg" alt="Zelsoft" width="800" '
        'height="200">\n<h1>', 1)
    pages["Free_Downloads.htm"] = page("Zelsoft Free Downloads", "Free Downloads",
        "<p>The free Zel programs, ready to download.</p>\n" + program_list({"free"}) +
        "<p>Trial versions of our tools are in the Online menu, under Trial Downloads.</p>\n")
    pages["catalog.htm"] = page("Zelsoft Catalog", "Zelsoft Catalog",
        "<p>Every program we make, with its size.</p>\n" + program_list({"free", "trial"}))
    pages["store.htm"] = page("Zelsoft Store", "Zelsoft Store",
        "<p>Keep a trial tool for good: one licence covers three computers in one household or "
        "office, with a year of updates.</p>\n" + program_list({"trial"}))
    pages["kinseek.htm"] = page("Zel Kinseek Service", "Zel Kinseek Service",
        "<p>Kinseek helps you find relatives and old friends in public directories. Tell us a "
        "name and a town; we search the directories and write to you within a week.</p>\n"
        "<p>The service is free for members of a Zel program's mailing list.</p>\n")
    pages["zel_news.htm"] = page("Zel News Feeds", "Zel News Feeds",
        "<p>Where Zel Tidewell's news feeds are posted: one feed for each daily news section, "
        "updated every morning.</p>\n<ul>\n" + "".join(
            f"<li>{html.escape(title)}</li>\n" for title, _, _ in SECTIONS.values()) + "</ul>\n")
    for name, text in pages.items():
        with open(os.path.join(WWW, name), "w", encoding="utf-8") as f:
            f.write(text)


if __name__ == "__main__":
    main()
