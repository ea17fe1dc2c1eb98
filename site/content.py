"""Makes the site's files folder: real zip archives of a player profile with its folder, a
theme, a texture and a language file, the community players' pictures and a placeholder
in place of the installer.

Archives are made with the zip tool and pictures with ImageMagick's convert; a machine
without them gets Python's zipfile and copies of the shipped pictures instead.
"""
import math
import os
import shutil
import subprocess
import sys
import wave

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DATA = os.path.join(ROOT, "data")

# What a download list page offers, by page: (folder under files/, kind in the title).
KIND_FOLDERS = {0: "players", 1: "themes", 2: "languages", 3: "textures"}

PLAYER_NAME = "Dora Domino"
PLAYER_FOLDER = "dora"
THEME_NAME = "Sunset"
TEXTURE_NAME = "marble"
LANGUAGE_FILE = "morvatel30_site_english.lng"
COMMUNITY = {"alice": "#c03060", "bruno": "#3060c0", "clara": "#30a050", "robot": "#808080",
             "zo\u00e9": "#a07020"}

EVENTS = ("begin", "domino", "pass", "comment1", "comment2", "round1", "round2",
          "pig1", "pig2", "twopigs")

SETUP_TEXT = (b"This stand-in web site has no installer.\r\n"
              b"Build the programs from their source tree instead (see README.md).\r\n")


def log(text):
    print("morvatel_site: " + text, file=sys.stderr, flush=True)


def _convert():
    # The real ImageMagick lives in /usr/bin; prefer it over anything earlier on PATH.
    if os.access("/usr/bin/convert", os.X_OK):
        return "/usr/bin/convert"
    return shutil.which("convert")


def make_jpegs(pictures):
    """Makes every (path, size, top colour, bottom colour) picture in one run of convert."""
    for path, _, _, _ in pictures:
        os.makedirs(os.path.dirname(path), exist_ok=True)
    tool = _convert()
    if tool and pictures:
        args = [tool]
        for path, size, top, bottom in pictures:
            args += ["-size", "%dx%d" % (size, size), "gradient:%s-%s" % (top, bottom),
                     "-quality", "85", "-write", path, "+delete"]
        subprocess.run(args + ["null:"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    for path, _, _, _ in pictures:
        if not os.path.isfile(path) or os.path.getsize(path) == 0:
            shutil.copyfile(os.path.join(DATA, "players", "standard", "standard.jpg"), path)


def make_clip(path, pitch):
    """A short 8-bit mono tone."""
    rate = 11025
    frames = bytes(int(128 + 60 * math.sin(2 * math.pi * pitch * i / rate))
                   for i in range(rate // 6))
    with wave.open(path, "wb") as clip:
        clip.setnchannels(1)
        clip.setsampwidth(1)
        clip.setframerate(rate)
        clip.writeframes(frames)


def _lines(path, lines):
    with open(path, "wb") as out:
        out.write("".join(line + "\r\n" for line in lines).encode("latin-1"))


def write_profile(stage, pictures):
    folder = os.path.join(stage, "players", PLAYER_FOLDER)
    os.makedirs(folder, exist_ok=True)
    pictures.append((os.path.join(folder, PLAYER_FOLDER + ".jpg"), 64, "#e0a030", "#402000"))
    for number, event in enumerate(EVENTS):
        make_clip(os.path.join(folder, event + ".wav"), 300 + 40 * number)
    lines = ["[Morvatel player]", "", "Editor=Morvatel Community", "Name=" + PLAYER_NAME,
             "Comment=Plays her doubles early", "Index=7", "Directory=" + PLAYER_FOLDER,
             "Presentation sound file=begin.wav", "Version=1.0", "", "[Picture]",
             PLAYER_FOLDER + ".jpg", "", "", "", "[Media]"]
    for event in EVENTS:
        lines += ["{ " + event, event + ".wav", "}", ""]
    lines += ["", "", "[Rules]"]
    rules = (("empty table", "&biggestDouble &biggestDomino &anything"),
             ("small hand", "&onEndHasMost &biggestDomino &anything"),
             ("middle hand", "&biggestDouble &endHasMost &biggestDomino &anything"),
             ("big hand", "&biggestDouble &biggestDomino &anything"))
    for label, words in rules:
        lines += ["{ " + label] + words.split() + ["}", ""]
    lines += ["ThinkLimitOne=5", "SecondThinkingThresholds=2"]
    vrk = os.path.join("players", PLAYER_NAME.lower() + ".vrk")
    _lines(os.path.join(stage, vrk), lines)
    return [vrk, os.path.join("players", PLAYER_FOLDER)]


def write_theme(stage, pictures):
    textures = os.path.join(stage, "themes", "textures")
    os.makedirs(textures, exist_ok=True)
    names = {}
    for part, (top, bottom) in (("table", ("#803020", "#200808")),
                                ("face", ("#fff0d0", "#e0c090")),
                                ("back", ("#c04010", "#601800"))):
        names[part] = "sunset_%s.jpg" % part
        pictures.append((os.path.join(textures, names[part]), 128, top, bottom))
    colours = (("Table Color", 2105424), ("Dominoes Color", 13693183),
               ("Dominoes Dots Color", 1052720), ("Dominoes Back Color", 1065152),
               ("Dominoes Border Color", 3170400), ("Normal Text Color", 14737632),
               ("Lighted Text Color", 65535), ("Selected Domino Color", 33023),
               ("Font Size", 10), ("Info Text Color", 0), ("Info Back Color", 10534120))
    lines = []
    for key, value in colours:
        lines += ["[%s]" % key, str(value)]
    lines += ["[Empty]", ""] * 4
    lines += ["[Background Texture Path]", "themes/textures/" + names["table"],
              "[Dominoes Texture Path]", "themes/textures/" + names["face"],
              "[Back Dominoes Texture Path]", "themes/textures/" + names["back"],
              "[Back Dominoes Border]", "1065152"]
    thm = os.path.join("themes", THEME_NAME + ".thm")
    _lines(os.path.join(stage, thm), lines)
    return [thm] + [os.path.join("themes", "textures", n) for n in sorted(names.values())]


def write_texture(stage, pictures):
    name = TEXTURE_NAME + ".jpg"
    pictures.append((os.path.join(stage, name), 128, "#f0f0f0", "#909090"))
    return [name]


def write_language(stage, pictures):
    """A copy of the shipped English file under its own name, so it holds every text the
    client asks for."""
    source = os.path.join(DATA, "univers", "morvatel30_english.lng")
    with open(source, "rb") as f:
        lines = f.read().decode("latin-1").splitlines()
    if len(lines) < 6:
        raise ValueError(source + " is too short")
    lines[1] = "English (site copy)"
    lines[3] = "Morvatel Community"
    name = os.path.join("univers", LANGUAGE_FILE)
    os.makedirs(os.path.join(stage, "univers"), exist_ok=True)
    _lines(os.path.join(stage, name), lines)
    return [name]


def zip_entries(archive, stage, entries):
    """Zips the entries (files or folders, relative to stage) into archive."""
    os.makedirs(os.path.dirname(archive), exist_ok=True)
    if shutil.which("zip"):
        done = subprocess.run(["zip", "-q", "-X", "-r", archive] + entries, cwd=stage,
                              stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        if done.returncode == 0:
            return
        log("zip failed: " + done.stderr.decode("latin-1", "replace").strip())
    import zipfile
    with zipfile.ZipFile(archive, "w", zipfile.ZIP_DEFLATED) as out:
        for entry in entries:
            full = os.path.join(stage, entry)
            if os.path.isdir(full):
                out.write(full, entry + "/")
                for base, dirs, files in os.walk(full):
                    dirs.sort()
                    for name in sorted(files):
                        path = os.path.join(base, name)
                        out.write(path, os.path.relpath(path, stage))
            else:
                out.write(full, entry)


def make_files(files):
    """Fills the folder files (made if needed) with the site's downloads."""
    pictures = [(os.path.join(files, "players", "community", name + ".jpg"), 64, colour, "black")
                for name, colour in COMMUNITY.items()]
    plans = []
    for kind, writer, archive in (
            (0, write_profile, PLAYER_FOLDER + ".zip"),
            (1, write_theme, THEME_NAME.lower() + ".zip"),
            (3, write_texture, TEXTURE_NAME + ".zip"),
            (2, write_language, "site_english.zip")):
        stage = os.path.join(files, ".stage", KIND_FOLDERS[kind])
        os.makedirs(stage, exist_ok=True)
        try:
            plans.append((os.path.join(files, KIND_FOLDERS[kind], archive), stage,
                          writer(stage, pictures)))
        except (OSError, ValueError) as error:
            log("no %s archive: %s" % (KIND_FOLDERS[kind], error))
    make_jpegs(pictures)
    for archive, stage, entries in plans:
        try:
            zip_entries(archive, stage, entries)
        except OSError as error:
            log("no archive %s: %s" % (archive, error))
    shutil.rmtree(os.path.join(files, ".stage"), ignore_errors=True)
    setup = os.path.join(files, "software", "morvatel", "morvatelSetup.exe")
    os.makedirs(os.path.dirname(setup), exist_ok=True)
    with open(setup, "wb") as out:
        out.write(SETUP_TEXT)
