"""The site's own help: printed by --help and shown on the page at the site's root."""

USAGE_LINE = ("python3 site/morvatel_site.py --port N [--host H] [--files DIR] "
              "[--accounts FILE] [--banner-version V] [--refuse tm|ar] "
              "[--presence-timeout SECONDS]")

DESCRIPTION = """\
The stand-in web site of Morvatel Dominoes 3D: the lobby where players meet, the banner,
the pages of the embedded browser and the files to download. Its first line on standard
output is MORVATEL_SITE_URL=http://HOST:PORT/ ; give that variable to morvatel and
mvtserver. The request log goes to standard error, passwords masked.
"""

DETAILS = """\
Paths under the site's address:
  all/page0.php        the lobby (plain text replies, 8-bit text)
  pub/index.php?lang=  the banner page, titled "MORVATEL " + the banner version
  red/index.php?lg=&pw=&dwl=1&opt=N&lang=
                       the pages: 1 themes, 2 textures, 3 players, 4 languages to
                       download, 5 forums, 6 guide, 7 home page, 9 new account,
                       10 home and community, 11 player editor, 12 about
  files/               the downloads: players/, themes/, languages/, textures/ (zip
                       archives), players/community/<name>.jpg, software/morvatel/
  results/             the results reported by finished games
  us/community/players the community players' pictures

Download pages list the zip archives of their folder; each entry opens a page titled
"Downloading KIND!FILE!SIZE" (KIND 0 players, 1 themes, 2 languages, 3 textures; SIZE in
bytes). The account pages (9 and 10) log a player in with a page titled
"Logging NICKNAME&PASSWORD".

Lobby requests (req=): 00 account check, 01 log in, 02 leave, 03 user list, 04 relay a
message, 5 messages waiting, 07 presence, 08 result. Every request carries wsurnom and
wpassword. Replies:
  *00:[NAME;KIND]...*      competitions: Free Play (0), Tournoi d'\u00e9t\u00e9 (0), Weekly Tournament (1),
                           World Cup (2)
  *01:[...]...* *03:[...]...*
                           the competition's other users: [NAME;NAME;COUNTRY;Se|Cl;STATE;
                           SINCE;ADDRESS;PORT]; ADDRESS is the one the site sees, PORT
                           the game port given at log-in
  *05:[KIND;STAMP;ADDRESS;PORT;NICKNAME;BODY]...*
                           messages waiting for (widsource, wportsource), or for the
                           address the site sees with that port; each is delivered once
  *04:ok* / *04:nobody* / *04:full*
                           relayed / no user listed at (widdestin, wportdestin) / the
                           addressee already has too many messages waiting
  *02:* *07:* *08:*        done
  *rj:id**                 unknown nickname, wrong password or a nickname holding
                           * & ; ] or a control character
  *rj:tm                   no such competition (or --refuse tm: every log-in)
  *rj:ar                   the lobby is full, or another nickname is listed at that
                           address and port (or --refuse ar: every log-in)
  *rj:bq                   a key is missing or a number is malformed
Names, stamps and addresses echoed into a reply lose every ";", "]" and "*", so no user
can break another's reading of them; a message body is relayed as it came (cut to 255
characters): the programs' reply grammar decides what they read of it.

Text is Latin-1 only, as the programs write it: every %XX of a request is one byte (a
UTF-8 "%C3%A9" is read as the two characters it names), and replies, pages and file names
in addresses are Latin-1.

User states during a handshake:
  fr  after logging in.
  lk  both ends of a relayed acceptance (kind 4). A host in "lk" still shows as free to
      the others; a guest shows as linked and cannot be invited again.
  bs  both ends of a game start (kind 7) or of an acknowledgement (kinds 6 and 5).
A linked user goes back to "fr" when every user it was linked with has left. A user
leaves the list by request 02, by logging in again at the same address and port, or by
not sending any request for --presence-timeout seconds; a user dropped that way is listed
again ("fr") by its next poll. A message reply stops after an invitation (2), a host's
acknowledgement (5) or a game start (7), since the programs read no further; the rest
waits for the next poll.

Accounts: without --accounts a nickname is taken with its password on first use and kept
for the run. --accounts FILE gives the only accepted accounts, one "nickname=password" a
line (the nickname ends at the first "="; empty lines and lines starting with "#" are
skipped; Latin-1).

Bounds: 1000 accounts taken on first use, 200 users listed, 50 messages waiting per user,
200 results kept, 64 connections at once, nicknames of at most 32 characters, passwords of
at most 64, message bodies cut to 255 characters, other fields to 64.

Files: without --files the site makes its downloads at start in a temporary folder
(removed at exit): a player with its folder, a theme with its textures, a texture and a
language file as zip archives, five community pictures and a placeholder installer.
Only regular files inside the files folder are served; names with "..", "\\" or an empty
part, and links leading out of the folder, are refused.
"""
