<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR" sourcelanguage="en">
<context>
    <name>FlashTemplateOutline</name>
    <message>
        <source>Template properties: select a row to read what it does; edit its value on the right</source>
        <translation>Propriétés du modèle : sélectionnez une ligne pour lire son effet ; modifiez sa valeur à droite</translation>
    </message>
</context>
<context>
    <name>FlashTemplateOutlineDelegate</name>
    <message>
        <source>Property</source>
        <translation>Propriété</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Valeur</translation>
    </message>
    <message>
        <source>(Untitled)</source>
        <translation>(Sans titre)</translation>
    </message>
    <message>
        <source>(Unknown)</source>
        <translation>(Inconnu)</translation>
    </message>
</context>
<context>
    <name>FlashTemplateProperty</name>
    <message>
        <source>Book</source>
        <translation>Livre</translation>
    </message>
    <message>
        <source>The book's title, its author and the size of its pages.</source>
        <translation>Le titre du livre, son auteur et la taille de ses pages.</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titre</translation>
    </message>
    <message>
        <source>Shown in the player's title bar and in the browser tab.</source>
        <translation>Affiché dans la barre de titre du lecteur et dans l'onglet du navigateur.</translation>
    </message>
    <message>
        <source>Author</source>
        <translation>Auteur</translation>
    </message>
    <message>
        <source>Your name or your organisation's, shown in the information panel.</source>
        <translation>Votre nom ou celui de votre organisation, affiché dans le panneau d'informations.</translation>
    </message>
    <message>
        <source>E-mail address</source>
        <translation>Adresse électronique</translation>
    </message>
    <message>
        <source>Address readers can write to from the information panel. Leave empty to show none.</source>
        <translation>Adresse à laquelle les lecteurs peuvent écrire depuis le panneau d'informations. Laissez vide pour n'en afficher aucune.</translation>
    </message>
    <message>
        <source>Web site</source>
        <translation>Site web</translation>
    </message>
    <message>
        <source>Your web address, shown in the information panel. Leave empty to show none.</source>
        <translation>Votre adresse web, affichée dans le panneau d'informations. Laissez vide pour n'en afficher aucune.</translation>
    </message>
    <message>
        <source>About this book</source>
        <translation>À propos de ce livre</translation>
    </message>
    <message>
        <source>A sentence or two about the book, shown in the information panel and used as the description of the mobile edition.</source>
        <translation>Une phrase ou deux sur le livre, affichées dans le panneau d'informations et utilisées comme description de l'édition mobile.</translation>
    </message>
    <message>
        <source>Page width (pixels)</source>
        <translation>Largeur de page (pixels)</translation>
    </message>
    <message>
        <source>Width of one page. Importing a PDF sets it from the document's first page; choosing another template or style keeps it.</source>
        <translation>Largeur d'une page. L'importation d'un PDF la fixe d'après la première page du document ; un autre modèle ou style la conserve.</translation>
    </message>
    <message>
        <source>Page height (pixels)</source>
        <translation>Hauteur de page (pixels)</translation>
    </message>
    <message>
        <source>Height of one page. Importing a PDF sets it from the document's first page; choosing another template or style keeps it.</source>
        <translation>Hauteur d'une page. L'importation d'un PDF la fixe d'après la première page du document ; un autre modèle ou style la conserve.</translation>
    </message>
    <message>
        <source>Player language</source>
        <translation>Langue du lecteur</translation>
    </message>
    <message>
        <source>Language of the player's buttons and tips. Choosing another template or style keeps it.</source>
        <translation>Langue des boutons et des info-bulles du lecteur. Un autre modèle ou style la conserve.</translation>
    </message>
    <message>
        <source>Reading direction</source>
        <translation>Sens de lecture</translation>
    </message>
    <message>
        <source>Right: the book opens to the right and pages turn from right to left, as in English. Left: for books in right-to-left scripts such as Arabic or Hebrew.</source>
        <translation>Right : le livre s'ouvre vers la droite et les pages tournent de droite à gauche, comme en français. Left : pour les livres en écritures de droite à gauche, comme l'arabe ou l'hébreu.</translation>
    </message>
    <message>
        <source>Logo</source>
        <translation>Logo</translation>
    </message>
    <message>
        <source>A small picture of yours in a corner of the player.</source>
        <translation>Une petite image à vous dans un coin du lecteur.</translation>
    </message>
    <message>
        <source>Logo picture</source>
        <translation>Image du logo</translation>
    </message>
    <message>
        <source>PNG, JPEG or GIF picture. A PNG with a transparent background looks best. Leave empty for no logo.</source>
        <translation>Image PNG, JPEG ou GIF. Un PNG à fond transparent rend le mieux. Laissez vide pour aucun logo.</translation>
    </message>
    <message>
        <source>Show the logo</source>
        <translation>Afficher le logo</translation>
    </message>
    <message>
        <source>Yes shows the logo picture; No hides it without forgetting it.</source>
        <translation>Yes affiche l'image du logo ; No la masque sans l'oublier.</translation>
    </message>
    <message>
        <source>Logo link</source>
        <translation>Lien du logo</translation>
    </message>
    <message>
        <source>Web address opened when a reader clicks the logo, for example https://example.org/. Leave empty to make the logo a plain picture.</source>
        <translation>Adresse web ouverte quand un lecteur clique sur le logo, par exemple https://example.org/. Laissez vide pour un simple logo sans lien.</translation>
    </message>
    <message>
        <source>Colours</source>
        <translation>Couleurs</translation>
    </message>
    <message>
        <source>The colours of the player around the book.</source>
        <translation>Les couleurs du lecteur autour du livre.</translation>
    </message>
    <message>
        <source>Toolbar colour</source>
        <translation>Couleur de la barre d'outils</translation>
    </message>
    <message>
        <source>Colour of the player's bars and buttons.</source>
        <translation>Couleur des barres et des boutons du lecteur.</translation>
    </message>
    <message>
        <source>Background</source>
        <translation>Arrière-plan</translation>
    </message>
    <message>
        <source>What lies behind the book: a gradient, one colour or a picture.</source>
        <translation>Ce qui se trouve derrière le livre : un dégradé, une couleur ou une image.</translation>
    </message>
    <message>
        <source>Kind of background</source>
        <translation>Type d'arrière-plan</translation>
    </message>
    <message>
        <source>GradientColor: a blend from the start colour to the end colour. Color: the plain colour alone. Image: the background picture, laid over the plain colour.</source>
        <translation>GradientColor : un fondu de la couleur de départ à la couleur de fin. Color : la couleur unie seule. Image : l'image d'arrière-plan, posée sur la couleur unie.</translation>
    </message>
    <message>
        <source>Plain colour</source>
        <translation>Couleur unie</translation>
    </message>
    <message>
        <source>The background colour when the kind is Color, and the colour around a background picture.</source>
        <translation>La couleur d'arrière-plan quand le type est Color, et la couleur autour d'une image d'arrière-plan.</translation>
    </message>
    <message>
        <source>Gradient start colour</source>
        <translation>Couleur de départ du dégradé</translation>
    </message>
    <message>
        <source>First colour of the gradient.</source>
        <translation>Première couleur du dégradé.</translation>
    </message>
    <message>
        <source>Gradient end colour</source>
        <translation>Couleur de fin du dégradé</translation>
    </message>
    <message>
        <source>Last colour of the gradient.</source>
        <translation>Dernière couleur du dégradé.</translation>
    </message>
    <message>
        <source>Gradient angle (degrees)</source>
        <translation>Angle du dégradé (degrés)</translation>
    </message>
    <message>
        <source>Direction of the gradient: 90 runs from top to bottom, 0 from left to right.</source>
        <translation>Direction du dégradé : 90 va de haut en bas, 0 de gauche à droite.</translation>
    </message>
    <message>
        <source>Publish the background picture</source>
        <translation>Publier l'image d'arrière-plan</translation>
    </message>
    <message>
        <source>Image copies the background picture into the published book; None leaves it out.</source>
        <translation>Image copie l'image d'arrière-plan dans le livre publié ; None la laisse de côté.</translation>
    </message>
    <message>
        <source>Background picture</source>
        <translation>Image d'arrière-plan</translation>
    </message>
    <message>
        <source>JPEG, PNG or GIF picture behind the book, used when the kind of background is Image.</source>
        <translation>Image JPEG, PNG ou GIF derrière le livre, utilisée quand le type d'arrière-plan est Image.</translation>
    </message>
    <message>
        <source>Picture placement</source>
        <translation>Placement de l'image</translation>
    </message>
    <message>
        <source>Fill covers the window (edges may be cut off); Fit shows the whole picture; Stretch distorts it to the window; Center keeps its size in the middle; Tile repeats it; TopLeft keeps its size in the top left corner.</source>
        <translation>Fill couvre la fenêtre (les bords peuvent être coupés) ; Fit montre toute l'image ; Stretch la déforme à la taille de la fenêtre ; Center garde sa taille au milieu ; Tile la répète ; TopLeft garde sa taille dans le coin supérieur gauche.</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>Son</translation>
    </message>
    <message>
        <source>Music and sounds while the book is open.</source>
        <translation>Musique et sons pendant que le livre est ouvert.</translation>
    </message>
    <message>
        <source>Background music</source>
        <translation>Musique de fond</translation>
    </message>
    <message>
        <source>An MP3 file played while the book is open. Leave empty for silence.</source>
        <translation>Un fichier MP3 joué pendant que le livre est ouvert. Laissez vide pour le silence.</translation>
    </message>
    <message>
        <source>Repeat the music</source>
        <translation>Répéter la musique</translation>
    </message>
    <message>
        <source>Yes plays the music again and again; No plays it once.</source>
        <translation>Yes joue la musique en boucle ; No la joue une fois.</translation>
    </message>
    <message>
        <source>Page-turn sound</source>
        <translation>Son de page tournée</translation>
    </message>
    <message>
        <source>A soft rustle whenever a page turns.</source>
        <translation>Un léger froissement à chaque page tournée.</translation>
    </message>
    <message>
        <source>Page turning</source>
        <translation>Tourner les pages</translation>
    </message>
    <message>
        <source>How the book moves.</source>
        <translation>Comment le livre bouge.</translation>
    </message>
    <message>
        <source>Automatic page turning</source>
        <translation>Pages tournées automatiquement</translation>
    </message>
    <message>
        <source>Turns the pages by itself when the book opens; readers can stop it with the auto-play button.</source>
        <translation>Tourne les pages tout seul à l'ouverture du livre ; les lecteurs peuvent l'arrêter avec le bouton de lecture automatique.</translation>
    </message>
    <message>
        <source>Seconds per page</source>
        <translation>Secondes par page</translation>
    </message>
    <message>
        <source>Time each page stays open during automatic turning.</source>
        <translation>Durée pendant laquelle chaque page reste ouverte quand les pages tournent automatiquement.</translation>
    </message>
    <message>
        <source>Start again at the end</source>
        <translation>Recommencer à la fin</translation>
    </message>
    <message>
        <source>1: after the last page, automatic turning starts again from the first. 0: it stops there.</source>
        <translation>1 : après la dernière page, les pages tournent à nouveau depuis la première. 0 : tout s'arrête là.</translation>
    </message>
    <message>
        <source>Fit to the window</source>
        <translation>Ajuster à la fenêtre</translation>
    </message>
    <message>
        <source>Scales the book so that it fills the browser window at any size.</source>
        <translation>Met le livre à l'échelle pour qu'il remplisse la fenêtre du navigateur, quelle que soit sa taille.</translation>
    </message>
    <message>
        <source>Page thickness (pixels)</source>
        <translation>Épaisseur des pages (pixels)</translation>
    </message>
    <message>
        <source>How thick each sheet looks at the edge of the book.</source>
        <translation>L'épaisseur apparente de chaque feuille sur la tranche du livre.</translation>
    </message>
    <message>
        <source>Tilt angle (degrees)</source>
        <translation>Angle d'inclinaison (degrés)</translation>
    </message>
    <message>
        <source>Tilts the book backwards for a three-dimensional look; 0 shows it flat.</source>
        <translation>Incline le livre vers l'arrière pour un effet en trois dimensions ; 0 le montre à plat.</translation>
    </message>
    <message>
        <source>Buttons</source>
        <translation>Boutons</translation>
    </message>
    <message>
        <source>Show or hide each button of the player's toolbar.</source>
        <translation>Afficher ou masquer chaque bouton de la barre d'outils du lecteur.</translation>
    </message>
    <message>
        <source>Zoom button</source>
        <translation>Bouton de zoom</translation>
    </message>
    <message>
        <source>Lets readers enlarge a page. Hide removes the button.</source>
        <translation>Permet aux lecteurs d'agrandir une page. Hide retire le bouton.</translation>
    </message>
    <message>
        <source>Auto-play button</source>
        <translation>Bouton de lecture automatique</translation>
    </message>
    <message>
        <source>Starts and stops automatic page turning. Hide removes the button.</source>
        <translation>Lance et arrête la rotation automatique des pages. Hide retire le bouton.</translation>
    </message>
    <message>
        <source>Music button</source>
        <translation>Bouton de musique</translation>
    </message>
    <message>
        <source>Switches the background music on and off. Hide removes the button.</source>
        <translation>Active et coupe la musique de fond. Hide retire le bouton.</translation>
    </message>
    <message>
        <source>Information button</source>
        <translation>Bouton d'informations</translation>
    </message>
    <message>
        <source>Opens the panel with the author and the book's description. Hide removes the button.</source>
        <translation>Ouvre le panneau avec l'auteur et la description du livre. Hide retire le bouton.</translation>
    </message>
    <message>
        <source>Bookmark button</source>
        <translation>Bouton de signets</translation>
    </message>
    <message>
        <source>Lets readers mark pages and return to them. Hide removes the button.</source>
        <translation>Permet aux lecteurs de marquer des pages et d'y revenir. Hide retire le bouton.</translation>
    </message>
    <message>
        <source>Thumbnails button</source>
        <translation>Bouton des miniatures</translation>
    </message>
    <message>
        <source>Shows small pictures of all pages for quick jumps. Hide removes the button.</source>
        <translation>Montre de petites images de toutes les pages pour y sauter vite. Hide retire le bouton.</translation>
    </message>
    <message>
        <source>Full-screen button</source>
        <translation>Bouton plein écran</translation>
    </message>
    <message>
        <source>Shows the book on the whole screen. Hide removes the button.</source>
        <translation>Affiche le livre sur tout l'écran. Hide retire le bouton.</translation>
    </message>
    <message>
        <source>Help button</source>
        <translation>Bouton d'aide</translation>
    </message>
    <message>
        <source>Explains how to turn pages and zoom. Hide removes the button.</source>
        <translation>Explique comment tourner les pages et zoomer. Hide retire le bouton.</translation>
    </message>
    <message>
        <source>Share button</source>
        <translation>Bouton de partage</translation>
    </message>
    <message>
        <source>Offers links to share the book. Hide removes the button.</source>
        <translation>Propose des liens pour partager le livre. Hide retire le bouton.</translation>
    </message>
    <message>
        <source>Print button</source>
        <translation>Bouton d'impression</translation>
    </message>
    <message>
        <source>Prints the pages on screen. Hide removes the button.</source>
        <translation>Imprime les pages à l'écran. Hide retire le bouton.</translation>
    </message>
    <message>
        <source>Download button</source>
        <translation>Bouton de téléchargement</translation>
    </message>
    <message>
        <source>Offers the file chosen under "File to download". Hide removes the button.</source>
        <translation>Propose le fichier choisi sous « Fichier à télécharger ». Hide retire le bouton.</translation>
    </message>
    <message>
        <source>File to download</source>
        <translation>Fichier à télécharger</translation>
    </message>
    <message>
        <source>Offered by the download button, for example the original PDF. Leave empty to offer nothing.</source>
        <translation>Proposé par le bouton de téléchargement, par exemple le PDF d'origine. Laissez vide pour ne rien proposer.</translation>
    </message>
    <message>
        <source>Sharing and statistics</source>
        <translation>Partage et statistiques</translation>
    </message>
    <message>
        <source>Counting readers and sharing the book.</source>
        <translation>Compter les lecteurs et partager le livre.</translation>
    </message>
    <message>
        <source>Analytics ID</source>
        <translation>Identifiant d'analyse</translation>
    </message>
    <message>
        <source>Web-analytics property ID (for example G-XXXXXXX) to count readers. Leave empty for no tracking.</source>
        <translation>Identifiant de propriété d'analyse web (par exemple G-XXXXXXX) pour compter les lecteurs. Laissez vide pour aucun suivi.</translation>
    </message>
    <message>
        <source>Sharing account</source>
        <translation>Compte de partage</translation>
    </message>
    <message>
        <source>Account ID of your sharing service, used by the share button.</source>
        <translation>Identifiant du compte de votre service de partage, utilisé par le bouton de partage.</translation>
    </message>
    <message>
        <source>Mobile edition</source>
        <translation>Édition mobile</translation>
    </message>
    <message>
        <source>Used only by the HTML5 edition for phones and tablets.</source>
        <translation>Utilisé seulement par l'édition HTML5 pour téléphones et tablettes.</translation>
    </message>
    <message>
        <source>Title on phones</source>
        <translation>Titre sur téléphones</translation>
    </message>
    <message>
        <source>Title of the page that shows the book on phones.</source>
        <translation>Titre de la page qui montre le livre sur les téléphones.</translation>
    </message>
    <message>
        <source>Logo link on phones</source>
        <translation>Lien du logo sur téléphones</translation>
    </message>
    <message>
        <source>Web address opened when a phone reader taps the logo.</source>
        <translation>Adresse web ouverte quand un lecteur touche le logo sur son téléphone.</translation>
    </message>
    <message>
        <source>Analytics ID on phones</source>
        <translation>Identifiant d'analyse sur téléphones</translation>
    </message>
    <message>
        <source>Web-analytics property ID for the mobile edition. Leave empty for no tracking.</source>
        <translation>Identifiant de propriété d'analyse web pour l'édition mobile. Laissez vide pour aucun suivi.</translation>
    </message>
</context>
<context>
    <name>FlashTmplItemDelegate</name>
    <message>
        <source>Choose a colour</source>
        <translation>Choisir une couleur</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Fichiers</translation>
    </message>
    <message>
        <source>Choose a file</source>
        <translation>Choisir un fichier</translation>
    </message>
</context>
<context>
    <name>Foliant_for_macAppDelegate</name>
    <message>
        <source>The command could not be completed.</source>
        <translation>La commande n'a pas pu aboutir.</translation>
    </message>
    <message>
        <source>Export template settings</source>
        <translation>Exporter les réglages du modèle</translation>
    </message>
    <message>
        <source>The settings could not be saved.</source>
        <translation>Les réglages n'ont pas pu être enregistrés.</translation>
    </message>
    <message>
        <source>Import template settings</source>
        <translation>Importer les réglages du modèle</translation>
    </message>
    <message>
        <source>The settings could not be read.</source>
        <translation>Les réglages n'ont pas pu être lus.</translation>
    </message>
    <message>
        <source>The manual is not installed.</source>
        <translation>Le manuel n'est pas installé.</translation>
    </message>
    <message>
        <source>Settings exported to %1</source>
        <translation>Réglages exportés vers %1</translation>
    </message>
    <message>
        <source>%1 is not a readable settings file.</source>
        <translation>%1 n'est pas un fichier de réglages lisible.</translation>
    </message>
    <message>
        <source>Settings imported from %1</source>
        <translation>Réglages importés depuis %1</translation>
    </message>
    <message>
        <source>Writing %1 failed: %2.</source>
        <translation>L'écriture de %1 a échoué : %2.</translation>
    </message>
</context>
<context>
    <name>ImportDialog</name>
    <message>
        <source>Import PDF</source>
        <translation>Importer un PDF</translation>
    </message>
    <message>
        <source>Path of the PDF file</source>
        <translation>Chemin du fichier PDF</translation>
    </message>
    <message>
        <source>The PDF document to turn into a book</source>
        <translation>Le document PDF à transformer en livre</translation>
    </message>
    <message>
        <source>Browse…</source>
        <translation>Parcourir…</translation>
    </message>
    <message>
        <source>Choose a PDF file</source>
        <translation>Choisir un fichier PDF</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Open the PDF file in its viewer</source>
        <translation>Ouvrir le fichier PDF dans sa visionneuse</translation>
    </message>
    <message>
        <source>All pages</source>
        <translation>Toutes les pages</translation>
    </message>
    <message>
        <source>Pages:</source>
        <translation>Pages :</translation>
    </message>
    <message>
        <source>e.g. 1-5, 8, 11-13</source>
        <translation>p. ex. 1-5, 8, 11-13</translation>
    </message>
    <message>
        <source>Page numbers and ranges separated by commas</source>
        <translation>Numéros de page et plages séparés par des virgules</translation>
    </message>
    <message>
        <source>Best (100%)</source>
        <translation>Meilleure (100 %)</translation>
    </message>
    <message>
        <source>High (85%)</source>
        <translation>Haute (85 %)</translation>
    </message>
    <message>
        <source>Medium (65%)</source>
        <translation>Moyenne (65 %)</translation>
    </message>
    <message>
        <source>Low (45%)</source>
        <translation>Basse (45 %)</translation>
    </message>
    <message>
        <source>Lowest (25%)</source>
        <translation>Minimale (25 %)</translation>
    </message>
    <message>
        <source>JPEG quality of the page images: lower means smaller files</source>
        <translation>Qualité JPEG des images de page : plus basse, fichiers plus petits</translation>
    </message>
    <message>
        <source>Vector pages (sharp at every zoom)</source>
        <translation>Pages vectorielles (nettes à tout zoom)</translation>
    </message>
    <message>
        <source>Page images</source>
        <translation>Images de page</translation>
    </message>
    <message>
        <source>Import links</source>
        <translation>Importer les liens</translation>
    </message>
    <message>
        <source>Keep the document's web and page links clickable in the book</source>
        <translation>Garder cliquables dans le livre les liens web et de page du document</translation>
    </message>
    <message>
        <source>Import bookmarks</source>
        <translation>Importer les signets</translation>
    </message>
    <message>
        <source>Use the document's outline as the book's table of contents</source>
        <translation>Utiliser le plan du document comme table des matières du livre</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Quality:</source>
        <translation>Qualité :</translation>
    </message>
    <message>
        <source>Page format:</source>
        <translation>Format des pages :</translation>
    </message>
    <message>
        <source>Extras:</source>
        <translation>Extras :</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Importer</translation>
    </message>
    <message>
        <source>Start importing (the current book is replaced when the import succeeds)</source>
        <translation>Lancer l'importation (le livre actuel est remplacé si l'importation réussit)</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Stop a running import, or close this dialog</source>
        <translation>Arrêter une importation en cours ou fermer cette boîte de dialogue</translation>
    </message>
    <message>
        <source>PDF file:</source>
        <translation>Fichier PDF :</translation>
    </message>
    <message>
        <source>Only for a PDF locked with a password</source>
        <translation>Seulement pour un PDF protégé par un mot de passe</translation>
    </message>
    <message>
        <source>The password that opens the PDF; it is used for this import only and never stored</source>
        <translation>Le mot de passe qui ouvre le PDF ; il ne sert qu'à cette importation et n'est jamais enregistré</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Mot de passe :</translation>
    </message>
    <message>
        <source>Import text</source>
        <translation>Importer le texte</translation>
    </message>
    <message>
        <source>Keep the pages' words: readers can search, select and hear the text, and search engines find it</source>
        <translation>Garder les mots des pages : les lecteurs peuvent chercher, sélectionner et écouter le texte, et les moteurs de recherche le trouvent</translation>
    </message>
</context>
<context>
    <name>ImportWindowDelegate</name>
    <message>
        <source>Import PDF file does not exist.</source>
        <translation>Le fichier PDF à importer n'existe pas.</translation>
    </message>
    <message>
        <source>Import cancelled.</source>
        <translation>Importation annulée.</translation>
    </message>
    <message>
        <source>The PDF file could not be imported. It may be damaged, protected by a password, or have no pages in the range.</source>
        <translation>Le fichier PDF n'a pas pu être importé. Il est peut-être endommagé, protégé par un mot de passe ou sans pages dans la plage.</translation>
    </message>
    <message>
        <source>Choose a PDF file</source>
        <translation>Choisir un fichier PDF</translation>
    </message>
    <message>
        <source>Importing:%1 of %2 Pages</source>
        <translation>Importation : %1 sur %2 pages</translation>
    </message>
    <message>
        <source>Importing...</source>
        <translation>Importation…</translation>
    </message>
    <message>
        <source>wrong password</source>
        <translation>mot de passe incorrect</translation>
    </message>
    <message>
        <source>The PDF is locked with a password: enter it in the Password field.</source>
        <translation>Le PDF est protégé par un mot de passe : saisissez-le dans le champ Mot de passe.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Property</source>
        <translation>Propriété</translation>
    </message>
    <message>
        <source>Select a property to read what it changes.</source>
        <translation>Sélectionnez une propriété pour lire ce qu'elle change.</translation>
    </message>
    <message>
        <source>Commands</source>
        <translation>Commandes</translation>
    </message>
    <message>
        <source>Template</source>
        <translation>Modèle</translation>
    </message>
    <message>
        <source>Ctrl+T</source>
        <translation>Ctrl+T</translation>
    </message>
    <message>
        <source>Choose the book's template and style (Ctrl+T)</source>
        <translation>Choisir le modèle et le style du livre (Ctrl+T)</translation>
    </message>
    <message>
        <source>Ctrl+Shift+I</source>
        <translation>Ctrl+Shift+I</translation>
    </message>
    <message>
        <source>Load property values from a settings file</source>
        <translation>Charger les valeurs des propriétés depuis un fichier de réglages</translation>
    </message>
    <message>
        <source>Ctrl+Shift+E</source>
        <translation>Ctrl+Shift+E</translation>
    </message>
    <message>
        <source>Save the property values to a settings file</source>
        <translation>Enregistrer les valeurs des propriétés dans un fichier de réglages</translation>
    </message>
    <message>
        <source>Ctrl+E</source>
        <translation>Ctrl+E</translation>
    </message>
    <message>
        <source>Place links, images, video and sound on the pages (Ctrl+E)</source>
        <translation>Placer des liens, images, vidéos et sons sur les pages (Ctrl+E)</translation>
    </message>
    <message>
        <source>Ctrl+P</source>
        <translation>Ctrl+P</translation>
    </message>
    <message>
        <source>Write the book for the web (Ctrl+P)</source>
        <translation>Écrire le livre pour le Web (Ctrl+P)</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>Open the manual (F1)</source>
        <translation>Ouvrir le manuel (F1)</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Appliquer</translation>
    </message>
    <message>
        <source>Ctrl+R</source>
        <translation>Ctrl+R</translation>
    </message>
    <message>
        <source>Show property changes in the preview (Ctrl+R)</source>
        <translation>Afficher les modifications dans l'aperçu (Ctrl+R)</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Template</source>
        <translation>&amp;Modèle</translation>
    </message>
    <message>
        <source>&amp;Book</source>
        <translation>&amp;Livre</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>&amp;About Foliant</source>
        <translation>À &amp;propos de Foliant</translation>
    </message>
    <message>
        <source>About Foliant</source>
        <translation>À propos de Foliant</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Foliant&lt;/h3&gt;&lt;p&gt;Turns PDF documents into page-turning books for the web.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Foliant&lt;/h3&gt;&lt;p&gt;Transforme des documents PDF en livres à feuilleter pour le Web.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Drop a PDF on the window to import it</source>
        <translation>Déposez un PDF sur la fenêtre pour l'importer</translation>
    </message>
    <message>
        <source>&amp;Import PDF</source>
        <translation>&amp;Importer un PDF</translation>
    </message>
    <message>
        <source>Ctrl+I</source>
        <translation>Ctrl+I</translation>
    </message>
    <message>
        <source>Turn a PDF document into the book (Ctrl+I); you can also drop a PDF on the window</source>
        <translation>Transformer un document PDF en livre (Ctrl+I) ; vous pouvez aussi déposer un PDF sur la fenêtre</translation>
    </message>
    <message>
        <source>Choose &amp;Template</source>
        <translation>Choisir le &amp;modèle</translation>
    </message>
    <message>
        <source>&amp;Import Settings</source>
        <translation>I&amp;mporter les réglages</translation>
    </message>
    <message>
        <source>&amp;Export Settings</source>
        <translation>&amp;Exporter les réglages</translation>
    </message>
    <message>
        <source>&amp;Page Editor</source>
        <translation>Éditeur de &amp;pages</translation>
    </message>
    <message>
        <source>&amp;Publish</source>
        <translation>&amp;Publier</translation>
    </message>
    <message>
        <source>&amp;Manual</source>
        <translation>&amp;Manuel</translation>
    </message>
    <message>
        <source>&amp;Apply Changes</source>
        <translation>&amp;Appliquer les modifications</translation>
    </message>
    <message>
        <source>&amp;Open Project…</source>
        <translation>&amp;Ouvrir un projet…</translation>
    </message>
    <message>
        <source>Open a saved book project (Ctrl+O)</source>
        <translation>Ouvrir un projet de livre enregistré (Ctrl+O)</translation>
    </message>
    <message>
        <source>&amp;Save Project</source>
        <translation>&amp;Enregistrer le projet</translation>
    </message>
    <message>
        <source>Save the book with its pages, links and settings (Ctrl+S)</source>
        <translation>Enregistrer le livre avec ses pages, liens et réglages (Ctrl+S)</translation>
    </message>
    <message>
        <source>Save Project &amp;As…</source>
        <translation>Enregistrer le projet &amp;sous…</translation>
    </message>
    <message>
        <source>Save the book as a new project file (Ctrl+Shift+S)</source>
        <translation>Enregistrer le livre dans un nouveau fichier de projet (Ctrl+Maj+S)</translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <translation>Ouvrir un projet &amp;récent</translation>
    </message>
    <message>
        <source>No Recent Projects</source>
        <translation>Aucun projet récent</translation>
    </message>
</context>
<context>
    <name>OutputWindowDelegate</name>
    <message>
        <source>Choose folder</source>
        <translation>Choisir un dossier</translation>
    </message>
    <message>
        <source>This folder cannot be replaced.</source>
        <translation>Ce dossier ne peut pas être remplacé.</translation>
    </message>
    <message>
        <source>%1 holds more than a published book. Choose a new or empty folder for the book.</source>
        <translation>%1 contient plus qu'un livre publié. Choisissez un dossier nouveau ou vide pour le livre.</translation>
    </message>
    <message>
        <source>Output directory already exists. Do you want to over write it?</source>
        <translation>Le dossier de sortie existe déjà. Voulez-vous le remplacer ?</translation>
    </message>
    <message>
        <source>YES</source>
        <translation>OUI</translation>
    </message>
    <message>
        <source>NO</source>
        <translation>NON</translation>
    </message>
    <message>
        <source>Choose a folder to publish into.</source>
        <translation>Choisissez un dossier où publier.</translation>
    </message>
    <message>
        <source>The output folder must be a full path, such as %1.</source>
        <translation>Le dossier de sortie doit être un chemin complet, comme %1.</translation>
    </message>
    <message>
        <source>Open the result files?</source>
        <translation>Ouvrir les fichiers produits ?</translation>
    </message>
    <message>
        <source>Publish finished! Open the it?</source>
        <translation>Publication terminée ! L'ouvrir ?</translation>
    </message>
    <message>
        <source>Open it</source>
        <translation>L'ouvrir</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Non</translation>
    </message>
    <message>
        <source>The book could not be published.</source>
        <translation>Le livre n'a pas pu être publié.</translation>
    </message>
</context>
<context>
    <name>PageEditorWindow</name>
    <message>
        <source>Page Editor</source>
        <translation>Éditeur de pages</translation>
    </message>
    <message>
        <source>Leave the Page Editor</source>
        <translation>Quitter l'éditeur de pages</translation>
    </message>
    <message>
        <source>Leave the page editor without saving your changes?</source>
        <translation>Quitter l'éditeur de pages sans enregistrer vos modifications ?</translation>
    </message>
</context>
<context>
    <name>PageEditorWindowDelegate</name>
    <message>
        <source>Please select image file to open</source>
        <translation>Choisissez le fichier image à ouvrir</translation>
    </message>
    <message>
        <source>Please select swf file to open</source>
        <translation>Choisissez le fichier SWF à ouvrir</translation>
    </message>
    <message>
        <source>Please select the movie file to open</source>
        <translation>Choisissez le fichier vidéo à ouvrir</translation>
    </message>
    <message>
        <source>Please select mp3 file to open</source>
        <translation>Choisissez le fichier MP3 à ouvrir</translation>
    </message>
    <message>
        <source>Please select images file to open</source>
        <translation>Choisissez les fichiers image à ouvrir</translation>
    </message>
</context>
<context>
    <name>PreviewFrame</name>
    <message>
        <source>Book preview</source>
        <translation>Aperçu du livre</translation>
    </message>
    <message>
        <source>Press Enter to use the book with the keyboard, Escape to leave it</source>
        <translation>Appuyez sur Entrée pour utiliser le livre au clavier, Échap pour le quitter</translation>
    </message>
    <message>
        <source>Book preview: press Enter to use it with the keyboard, Escape to leave it</source>
        <translation>Aperçu du livre : appuyez sur Entrée pour l'utiliser au clavier, Échap pour le quitter</translation>
    </message>
</context>
<context>
    <name>PublishDialog</name>
    <message>
        <source>Publish Book</source>
        <translation>Publier le livre</translation>
    </message>
    <message>
        <source>Folder that will hold the book</source>
        <translation>Dossier qui contiendra le livre</translation>
    </message>
    <message>
        <source>The book is written into this folder; an existing folder is replaced after you confirm</source>
        <translation>Le livre est écrit dans ce dossier ; un dossier existant est remplacé après confirmation</translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation>Choisir…</translation>
    </message>
    <message>
        <source>Choose the destination folder</source>
        <translation>Choisir le dossier de destination</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Show the destination folder in the file manager</source>
        <translation>Afficher le dossier de destination dans le gestionnaire de fichiers</translation>
    </message>
    <message>
        <source>index</source>
        <translation>index</translation>
    </message>
    <message>
        <source>File name of the book's web page, without ".html"</source>
        <translation>Nom du fichier de la page web du livre, sans « .html »</translation>
    </message>
    <message>
        <source>Title shown in the browser</source>
        <translation>Titre affiché dans le navigateur</translation>
    </message>
    <message>
        <source>Title of the book's web page</source>
        <translation>Titre de la page web du livre</translation>
    </message>
    <message>
        <source>Web book folder</source>
        <translation>Dossier de livre web</translation>
    </message>
    <message>
        <source>A folder to put on a web site or open from disk</source>
        <translation>Un dossier à mettre sur un site web ou à ouvrir depuis le disque</translation>
    </message>
    <message>
        <source>Mac application</source>
        <translation>Application Mac</translation>
    </message>
    <message>
        <source>A double-clickable application that carries the book</source>
        <translation>Une application à double-cliquer qui contient le livre</translation>
    </message>
    <message>
        <source>Also publish a version for phones</source>
        <translation>Publier aussi une version pour téléphones</translation>
    </message>
    <message>
        <source>Adds an HTML5 edition made from the page images</source>
        <translation>Ajoute une édition HTML5 faite des images de page</translation>
    </message>
    <message>
        <source>Flip (turning pages)</source>
        <translation>Flip (pages qui tournent)</translation>
    </message>
    <message>
        <source>Slide (swiping pages)</source>
        <translation>Slide (pages qui glissent)</translation>
    </message>
    <message>
        <source>How the phone version turns its pages</source>
        <translation>Comment la version pour téléphones tourne ses pages</translation>
    </message>
    <message>
        <source>Book</source>
        <translation>Livre</translation>
    </message>
    <message>
        <source>Folder:</source>
        <translation>Dossier :</translation>
    </message>
    <message>
        <source>Page name:</source>
        <translation>Nom de la page :</translation>
    </message>
    <message>
        <source>Title:</source>
        <translation>Titre :</translation>
    </message>
    <message>
        <source>Output:</source>
        <translation>Sortie :</translation>
    </message>
    <message>
        <source>Phones:</source>
        <translation>Téléphones :</translation>
    </message>
    <message>
        <source>Publish</source>
        <translation>Publier</translation>
    </message>
    <message>
        <source>Write the book into the folder</source>
        <translation>Écrire le livre dans le dossier</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>All files (*)</source>
        <translation>Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Files (%1)</source>
        <translation>Fichiers (%1)</translation>
    </message>
    <message>
        <source>Settings files (*.txt);;All files (*)</source>
        <translation>Fichiers de réglages (*.txt);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Colour…</source>
        <translation>Couleur…</translation>
    </message>
    <message>
        <source>…</source>
        <translation>…</translation>
    </message>
    <message>
        <source>Choose a colour</source>
        <translation>Choisir une couleur</translation>
    </message>
    <message>
        <source>Choose a file</source>
        <translation>Choisir un fichier</translation>
    </message>
    <message>
        <source>Remove the file</source>
        <translation>Retirer le fichier</translation>
    </message>
</context>
<context>
    <name>SelectTemplateWindow</name>
    <message>
        <source>Choose a Template</source>
        <translation>Choisir un modèle</translation>
    </message>
    <message>
        <source>Installed templates</source>
        <translation>Modèles installés</translation>
    </message>
    <message>
        <source>Styles of the selected template: double-click one to use it</source>
        <translation>Styles du modèle choisi : double-cliquez sur l'un pour l'utiliser</translation>
    </message>
    <message>
        <source>Styles</source>
        <translation>Styles</translation>
    </message>
    <message>
        <source>Templates</source>
        <translation>Modèles</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Actualiser</translation>
    </message>
    <message>
        <source>Look for newly installed templates</source>
        <translation>Rechercher les modèles nouvellement installés</translation>
    </message>
    <message>
        <source>Use Style</source>
        <translation>Utiliser le style</translation>
    </message>
</context>
</TS>
