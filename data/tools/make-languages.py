#!/usr/bin/env python3
"""Writes the shipped language files data/univers/morvatel30_english.lng and
morvatel30_francais.lng from the key table of src/client/Language.cpp.

Not run by the build: its results are committed. Run it again after adding a text to the
table (and its French translation below); it stops when a translation is missing or stale.
Files are Latin-1 with CR LF line ends: six header lines, then "English=translation".
"""
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parents[2]
TABLE = ROOT / "src" / "client" / "Language.cpp"
OUT = ROOT / "data" / "univers"

LITERAL = re.compile(r'"((?:[^"\\]|\\.)*)"')


def read_keys():
    text = TABLE.read_text(encoding="latin-1")
    try:
        body = text.split("// keys:begin", 1)[1].split("// keys:end", 1)[0]
    except IndexError:
        sys.exit(f"{TABLE}: the key table markers are missing")
    keys = []
    for line in body.splitlines():
        line = line.strip()
        if line.startswith("//"):
            continue
        for literal in LITERAL.findall(line):
            keys.append(bytes(literal, "latin-1").decode("unicode_escape"))
    if len(set(keys)) != len(keys):
        sys.exit("the key table lists a text twice")
    return keys


FRENCH = {
    "Game": "Partie",
    "New Game": "Nouvelle partie",
    "Information View": "Vue des informations",
    "Preferences": "Préférences",
    "Exit": "Quitter",
    "Options": "Options",
    "Language": "Langue",
    "View": "Affichage",
    "3D View": "Vue 3D",
    "Connect": "Se connecter",
    "Disconnect": "Se déconnecter",
    "Web Browser": "Navigateur Web",
    "Statistics": "Statistiques",
    "Sound Control": "Contrôle du son",
    "Players": "Joueurs",
    "Launch VOREK Editor": "Lancer l'éditeur VOREK",
    "Download players": "Télécharger des joueurs",
    "Themes": "Thèmes",
    "Download themes": "Télécharger des thèmes",
    "Help": "Aide",
    "About": "À propos",
    "Download languages": "Télécharger des langues",
    "Next round": "Manche suivante",
    "Begin the next round": "Commencer la manche suivante",
    "Send a message": "Envoyer un message",
    "Click on New Game to begin": "Cliquez sur Nouvelle partie pour commencer",
    "Number of played matches": "Nombre de parties jouées",
    "Number of won matches": "Nombre de parties gagnées",
    "Number of lost matches": "Nombre de parties perdues",
    "Number of given pigs": "Nombre de cochons donnés",
    "Reset": "Remettre à zéro",
    "Information": "Informations",
    "Players list": "Liste des joueurs",
    "Delete selected player": "Supprimer le joueur sélectionné",
    "Double click on it to select": "Double-cliquez pour sélectionner",
    "Game Options": "Options de jeu",
    "Network game": "Partie en réseau",
    "Languages": "Langues",
    "CPU": "Ordinateur",
    "Sound": "Son",
    "Univers": "Univers",
    "Server options": "Options du serveur",
    "Configuration": "Configuration",
    "Firewall": "Pare-feu",
    "Player on your left": "Joueur à votre gauche",
    "Me": "Moi",
    "Player on your right": "Joueur à votre droite",
    "Position": "Position",
    "Change": "Changer",
    "Change the player": "Changer le joueur",
    "Tactics": "Tactique",
    "Use tactics (Advanced CPU Mode)": "Utiliser la tactique (mode ordinateur avancé)",
    "CPU speed": "Vitesse de l'ordinateur",
    "Slow": "Lent",
    "Fast": "Rapide",
    "General": "Général",
    "Do not make any oral comment": "Ne faire aucun commentaire oral",
    "Events": "Événements",
    "Play a sound file": "Jouer un fichier son",
    "At Morvatel's startup": "Au démarrage de Morvatel",
    "During the game": "Pendant la partie",
    "Listen to": "Écouter",
    "Search": "Rechercher",
    "No sound": "Aucun son",
    "Play a audio CD": "Jouer un CD audio",
    "CD-ROM drive": "Lecteur de CD-ROM",
    "Morvatel Envrionment": "Environnement de Morvatel",
    "Miscellaneous": "Divers",
    "Check new version at startup": "Rechercher une nouvelle version au démarrage",
    "Display information at startup": "Afficher les informations au démarrage",
    "Parameters": "Paramètres",
    "Nickname": "Pseudonyme",
    "Password": "Mot de passe",
    "Inscription": "Inscription",
    "Want to enter Web MVT Competitions ?": "Voulez-vous participer aux compétitions Web MVT ?",
    "To be able to play by Internet": "Pour pouvoir jouer par Internet",
    "Submit": "Valider",
    "When you are server": "Quand vous êtes serveur",
    "Play against 1 Vorek Player and 1 CPU": "Jouer contre 1 joueur Vorek et 1 ordinateur",
    "Play against 2 Vorek Players": "Jouer contre 2 joueurs Vorek",
    "Default paramaters": "Paramètres par défaut",
    "Client": "Client",
    "Server": "Serveur",
    "Server configuration": "Configuration du serveur",
    "Use a proxy server": "Utiliser un serveur proxy",
    "Address": "Adresse",
    "Port": "Port",
    "Server Port": "Port du serveur",
    "Use a proxy server SOCKS5": "Utiliser un serveur proxy SOCKS5",
    "Proxy Server SOCKS5": "Serveur proxy SOCKS5",
    "Use SOCKS5 Authentification": "Utiliser l'authentification SOCKS5",
    "SOCKS5 Authentification": "Authentification SOCKS5",
    "User": "Utilisateur",
    "Apply the selected language": "Appliquer la langue sélectionnée",
    "Delete the selected language": "Supprimer la langue sélectionnée",
    "Download": "Télécharger",
    "Download LNG files": "Télécharger des fichiers LNG",
    "Always ask me": "Toujours me demander",
    "Never ask me": "Ne jamais me demander",
    "Apply the selected theme": "Appliquer le thème sélectionné",
    "Delete selected theme": "Supprimer le thème sélectionné",
    "Edit": "Modifier",
    "Unable to navigate to ": "Impossible d'ouvrir ",
    "Downloading...": "Téléchargement...",
    "Back": "Précédent",
    "Forward": "Suivant",
    "Stop": "Arrêter",
    "Refresh": "Actualiser",
    "Home": "Accueil",
    "Theme Edition": "Édition des thèmes",
    "Colors": "Couleurs",
    "Textures": "Textures",
    "Text": "Texte",
    "Save as": "Enregistrer sous",
    "Save current theme as": "Enregistrer le thème actuel sous",
    "Police": "Police",
    "Information text size": "Taille du texte des informations",
    "Background color": "Couleur du fond",
    "Text color": "Couleur du texte",
    "Download textures": "Télécharger des textures",
    "Table": "Table",
    "Table texture": "Texture de la table",
    "Dominoes texture": "Texture des dominos",
    "Dominoes back texture": "Texture du dos des dominos",
    "Selected texture": "Texture sélectionnée",
    "Delete selected texture": "Supprimer la texture sélectionnée",
    "Marked faces": "Faces marquées",
    "Dots of dominoes": "Points des dominos",
    "Back Border of dominoes": "Bord du dos des dominos",
    "Back of dominoes": "Dos des dominos",
    "Border of dominoes": "Bord des dominos",
    "Selected domino": "Domino sélectionné",
    "Normal text": "Texte normal",
    "Highlighted text": "Texte en surbrillance",
    "Name": "Nom",
    "Cancel": "Annuler",
    "Apply": "Appliquer",
    "Message": "Message",
    "Send": "Envoyer",
    "Choose the competition": "Choisissez la compétition",
    "Choose your status": "Choisissez votre statut",
    "Invite": "Inviter",
    "Received messages": "Messages reçus",
    "Opponents": "Adversaires",
    "Accept": "Accepter",
    "Refuse": "Refuser",
    "Answer": "Répondre",
    "Kind": "Type",
    "State": "État",
    "Connected since": "Connecté depuis",
    "Connection Form": "Connexion",
    "points": "points",
    "point": "point",
    "All the players have taken their 7 dominoes.": "Tous les joueurs ont pris leurs 7 dominos.",
    "All are receiving their 7 dominoes.": "Chacun reçoit ses 7 dominos.",
    "plays double": "joue le double",
    "plays": "joue",
    "of": "de",
    "sulks": "boude",
    "and": "et",
    "is the pig!": "est le cochon !",
    "are the pigs!": "sont les cochons !",
    "has won the round": "a gagné la manche",
    "have won the round": "ont gagné la manche",
    "We are wainting for": "Nous attendons",
    "Double click on the domino or drag it where you want to play.":
        "Double-cliquez sur le domino ou faites-le glisser là où vous voulez le jouer.",
    "Click on Following round button.": "Cliquez sur le bouton Manche suivante.",
    "The game is over. Click on New Game to begin another.":
        "La partie est terminée. Cliquez sur Nouvelle partie pour en commencer une autre.",
    "Waiting for connection": "En attente de connexion",
    "Locally game": "Partie locale",
    "None competition": "Aucune compétition",
    "Version": "Version",
    "Author": "Auteur",
    "Compatible version": "Version compatible",
    "Lng file": "Fichier LNG",
    "No language": "Aucune langue",
    "Edited by": "Édité par",
    "from": "de",
    "No texture": "Aucune texture",
    "Not connected": "Non connecté",
    "None connected player": "Aucun joueur connecté",
    "Linked": "Lié",
    "Playing": "En jeu",
    "Free": "Libre",
    "Received message": "Message reçu",
    "Invitation from": "Invitation de",
    "Acceptance of": "Acceptation de",
    "Refusal of": "Refus de",
    "to play with you": "pour jouer avec vous",
    "Error": "Erreur",
    "Nickname not found": "Pseudonyme introuvable",
    "Impossible to connect the server": "Impossible de se connecter au serveur",
    "Player already linked": "Joueur déjà lié",
    "This player is not connected any more": "Ce joueur n'est plus connecté",
    "This competition is not opened now.": "Cette compétition n'est pas ouverte en ce moment.",
    "You can't invite a same kind as yours player (client or server)":
        "Vous ne pouvez pas inviter un joueur du même type que vous (client ou serveur)",
    "Vrk Editor not found. You can download it at Morvatel Online.":
        "Éditeur Vrk introuvable. Vous pouvez le télécharger sur Morvatel Online.",
    "Please enter your Morvatel nickname and password or if you don't get ones, join Morvatel Community.":
        "Veuillez entrer votre pseudonyme et votre mot de passe Morvatel ou, si vous n'en avez "
        "pas, rejoignez la communauté Morvatel.",
    "Wait one minute before reconnecting.": "Attendez une minute avant de vous reconnecter.",
    "Impossible to read parameters of Morvatel": "Impossible de lire les paramètres de Morvatel",
    "Vrk Editor not found. Do you want to download it now ?":
        "Éditeur Vrk introuvable. Voulez-vous le télécharger maintenant ?",
    "Impossible to get an Internet connection": "Impossible d'obtenir une connexion Internet",
    "One of the players have left the game.": "Un des joueurs a quitté la partie.",
    "This file doesn't correspond to a valid sound": "Ce fichier ne correspond pas à un son valide",
    "Impossible to download": "Téléchargement impossible",
    "This theme is not valid": "Ce thème n'est pas valide",
    "This player is not valid. You should delete him":
        "Ce joueur n'est pas valide. Vous devriez le supprimer",
    "The selected LNG file is erroneous or non-existent":
        "Le fichier LNG sélectionné est erroné ou inexistant",
    "The selected LNG file is not compatible with your version of MORVATEL":
        "Le fichier LNG sélectionné n'est pas compatible avec votre version de MORVATEL",
    "Invalid nickname. No * & ; ] please.": "Pseudonyme invalide. Pas de * & ; ] s'il vous plaît.",
    "Impossible to download this plug-in.": "Impossible de télécharger ce module.",
    "Impossible to automatically unzip the file you downloaded. Please do it by yourself.":
        "Impossible de décompresser automatiquement le fichier téléchargé. Veuillez le faire "
        "vous-même.",
    "Impossible to establish the connection with at least one of your opponents.":
        "Impossible d'établir la connexion avec au moins un de vos adversaires.",
    "Problem in calling the help file.": "Problème à l'ouverture du fichier d'aide.",
    "Impossible to install this plug-in.": "Impossible d'installer ce module.",
    "You have lost the game because you took too much time to play.":
        "Vous avez perdu la partie car vous avez mis trop de temps à jouer.",
    "Do you really want to quit Morvatel ?": "Voulez-vous vraiment quitter Morvatel ?",
    "Do you really want to stop the game ?": "Voulez-vous vraiment arrêter la partie ?",
    "Do you really want to delete this Vrk Player ?": "Voulez-vous vraiment supprimer ce joueur Vrk ?",
    "Do you really want to delete this theme ?": "Voulez-vous vraiment supprimer ce thème ?",
    "Do you really want to delete this texture ?": "Voulez-vous vraiment supprimer cette texture ?",
    "is currently available. Do you want to download it ?":
        "est maintenant disponible. Voulez-vous la télécharger ?",
    "Competition": "Compétition",
    "Chat": "Discussion",
    "The online guide": "Le guide en ligne",
    "Home page": "Page d'accueil",
    "Community": "Communauté",
    "The statistics file could not be written.": "Le fichier des statistiques n'a pas pu être écrit.",
    "The statistics file could not be read.": "Le fichier des statistiques n'a pas pu être lu.",
    "Information about the game": "Informations sur le jeu",
    "Angle wheel": "Molette de rotation angulaire",
    "Movement wheel: places the camera and the selection":
        "Molette de déplacement pour positionner la caméra et la sélection",
    "Reset of the angles": "Initialisation des angles",
    "The selected theme file is erroneous or non-existent":
        "Le fichier de thème sélectionné est erroné ou inexistant",
    "The game server could not listen on its port.":
        "Le serveur de jeu n'a pas pu écouter sur son port.",
    "Download finished: ": "Téléchargement terminé : ",
    "No program on this desktop opens this kind of file.":
        "Aucun programme de ce bureau n'ouvre ce type de fichier.",
    "The desktop could not open it.": "Le bureau n'a pas pu l'ouvrir.",
    "Switch the sound off": "Couper le son",
    "Switch the sound on": "Rétablir le son",
    "Sound options": "Options du son",
    "Previous": "Précédent",
    "Play": "Lecture",
    "Pause": "Pause",
    "Next": "Suivant",
    "Eject": "Éjecter",
    "Choose": "Choisir",
    "Close": "Fermer",
    "Do you really want to delete this language ?": "Voulez-vous vraiment supprimer cette langue ?",
    "This name cannot be used for a theme": "Ce nom ne peut pas servir pour un thème",
    "Theme file": "Fichier du thème",
    "Replace this theme file with the theme shown ?": "Remplacer ce fichier de thème par le thème affiché ?",
    "The theme file could not be written.": "Le fichier du thème n'a pas pu être écrit.",
    "The settings file could not be written.": "Le fichier des paramètres n'a pas pu être écrit.",
}


def header(name):
    return ["[Description]", name, "Morvatel Dominoes 3.0", "Morvatel team",
            "Morvatel Dominoes", "3.0"]


def write(file_name, lines):
    data = "".join(line + "\r\n" for line in lines).encode("latin-1")
    (OUT / file_name).write_bytes(data)
    print(f"{OUT / file_name}: {len(lines) - 6} texts")


def main():
    keys = read_keys()
    missing = [k for k in keys if k not in FRENCH]
    stale = [k for k in FRENCH if k not in keys]
    if missing or stale:
        for k in missing:
            print(f"no French text for: {k!r}", file=sys.stderr)
        for k in stale:
            print(f"French text for a key no longer in the table: {k!r}", file=sys.stderr)
        sys.exit(1)
    for k in keys:
        if "=" in k or "\r" in k or "\n" in k:
            sys.exit(f"a key cannot hold '=' or a line end: {k!r}")
    OUT.mkdir(parents=True, exist_ok=True)
    write("morvatel30_english.lng", header("English") + [f"{k}={k}" for k in keys])
    write("morvatel30_francais.lng", header("Français") + [f"{k}={FRENCH[k]}" for k in keys])


if __name__ == "__main__":
    main()
