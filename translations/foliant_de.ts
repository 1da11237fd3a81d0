<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en">
<context>
    <name>FlashTemplateOutline</name>
    <message>
        <source>Template properties: select a row to read what it does; edit its value on the right</source>
        <translation>Vorlageneigenschaften: Zeile wählen, um zu lesen, was sie bewirkt; den Wert rechts bearbeiten</translation>
    </message>
</context>
<context>
    <name>FlashTemplateOutlineDelegate</name>
    <message>
        <source>Property</source>
        <translation>Eigenschaft</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <source>(Untitled)</source>
        <translation>(Ohne Titel)</translation>
    </message>
    <message>
        <source>(Unknown)</source>
        <translation>(Unbekannt)</translation>
    </message>
</context>
<context>
    <name>FlashTemplateProperty</name>
    <message>
        <source>Book</source>
        <translation>Buch</translation>
    </message>
    <message>
        <source>The book's title, its author and the size of its pages.</source>
        <translation>Titel und Autor des Buchs und die Größe seiner Seiten.</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Shown in the player's title bar and in the browser tab.</source>
        <translation>Erscheint in der Titelleiste des Players und im Browser-Tab.</translation>
    </message>
    <message>
        <source>Author</source>
        <translation>Autor</translation>
    </message>
    <message>
        <source>Your name or your organisation's, shown in the information panel.</source>
        <translation>Ihr Name oder der Ihrer Organisation, im Informationsfeld angezeigt.</translation>
    </message>
    <message>
        <source>E-mail address</source>
        <translation>E-Mail-Adresse</translation>
    </message>
    <message>
        <source>Address readers can write to from the information panel. Leave empty to show none.</source>
        <translation>Adresse, an die Leser aus dem Informationsfeld schreiben können. Leer lassen, um keine zu zeigen.</translation>
    </message>
    <message>
        <source>Web site</source>
        <translation>Website</translation>
    </message>
    <message>
        <source>Your web address, shown in the information panel. Leave empty to show none.</source>
        <translation>Ihre Webadresse, im Informationsfeld angezeigt. Leer lassen, um keine zu zeigen.</translation>
    </message>
    <message>
        <source>About this book</source>
        <translation>Über dieses Buch</translation>
    </message>
    <message>
        <source>A sentence or two about the book, shown in the information panel and used as the description of the mobile edition.</source>
        <translation>Ein, zwei Sätze über das Buch, im Informationsfeld angezeigt und als Beschreibung der mobilen Ausgabe verwendet.</translation>
    </message>
    <message>
        <source>Page width (pixels)</source>
        <translation>Seitenbreite (Pixel)</translation>
    </message>
    <message>
        <source>Width of one page. Importing a PDF sets it from the document's first page; choosing another template or style keeps it.</source>
        <translation>Breite einer Seite. Der Import eines PDFs setzt sie nach der ersten Seite des Dokuments; eine andere Vorlage oder ein anderer Stil behält sie bei.</translation>
    </message>
    <message>
        <source>Page height (pixels)</source>
        <translation>Seitenhöhe (Pixel)</translation>
    </message>
    <message>
        <source>Height of one page. Importing a PDF sets it from the document's first page; choosing another template or style keeps it.</source>
        <translation>Höhe einer Seite. Der Import eines PDFs setzt sie nach der ersten Seite des Dokuments; eine andere Vorlage oder ein anderer Stil behält sie bei.</translation>
    </message>
    <message>
        <source>Player language</source>
        <translation>Sprache des Players</translation>
    </message>
    <message>
        <source>Language of the player's buttons and tips. Choosing another template or style keeps it.</source>
        <translation>Sprache der Schaltflächen und Hinweise des Players. Eine andere Vorlage oder ein anderer Stil behält sie bei.</translation>
    </message>
    <message>
        <source>Reading direction</source>
        <translation>Leserichtung</translation>
    </message>
    <message>
        <source>Right: the book opens to the right and pages turn from right to left, as in English. Left: for books in right-to-left scripts such as Arabic or Hebrew.</source>
        <translation>Right: Das Buch öffnet sich nach rechts, die Seiten werden von rechts nach links umgeblättert, wie im Deutschen. Left: für Bücher in Schriften, die von rechts nach links laufen, etwa Arabisch oder Hebräisch.</translation>
    </message>
    <message>
        <source>Logo</source>
        <translation>Logo</translation>
    </message>
    <message>
        <source>A small picture of yours in a corner of the player.</source>
        <translation>Ein kleines Bild von Ihnen in einer Ecke des Players.</translation>
    </message>
    <message>
        <source>Logo picture</source>
        <translation>Logobild</translation>
    </message>
    <message>
        <source>PNG, JPEG or GIF picture. A PNG with a transparent background looks best. Leave empty for no logo.</source>
        <translation>PNG-, JPEG- oder GIF-Bild. Ein PNG mit transparentem Hintergrund sieht am besten aus. Leer lassen für kein Logo.</translation>
    </message>
    <message>
        <source>Show the logo</source>
        <translation>Logo zeigen</translation>
    </message>
    <message>
        <source>Yes shows the logo picture; No hides it without forgetting it.</source>
        <translation>Yes zeigt das Logobild; No blendet es aus, ohne es zu vergessen.</translation>
    </message>
    <message>
        <source>Logo link</source>
        <translation>Logo-Link</translation>
    </message>
    <message>
        <source>Web address opened when a reader clicks the logo, for example https://example.org/. Leave empty to make the logo a plain picture.</source>
        <translation>Webadresse, die sich öffnet, wenn ein Leser auf das Logo klickt, zum Beispiel https://example.org/. Leer lassen, damit das Logo ein einfaches Bild bleibt.</translation>
    </message>
    <message>
        <source>Colours</source>
        <translation>Farben</translation>
    </message>
    <message>
        <source>The colours of the player around the book.</source>
        <translation>Die Farben des Players rund um das Buch.</translation>
    </message>
    <message>
        <source>Toolbar colour</source>
        <translation>Farbe der Werkzeugleiste</translation>
    </message>
    <message>
        <source>Colour of the player's bars and buttons.</source>
        <translation>Farbe der Leisten und Schaltflächen des Players.</translation>
    </message>
    <message>
        <source>Background</source>
        <translation>Hintergrund</translation>
    </message>
    <message>
        <source>What lies behind the book: a gradient, one colour or a picture.</source>
        <translation>Was hinter dem Buch liegt: ein Verlauf, eine Farbe oder ein Bild.</translation>
    </message>
    <message>
        <source>Kind of background</source>
        <translation>Art des Hintergrunds</translation>
    </message>
    <message>
        <source>GradientColor: a blend from the start colour to the end colour. Color: the plain colour alone. Image: the background picture, laid over the plain colour.</source>
        <translation>GradientColor: ein Übergang von der Start- zur Endfarbe. Color: nur die einfache Farbe. Image: das Hintergrundbild über der einfachen Farbe.</translation>
    </message>
    <message>
        <source>Plain colour</source>
        <translation>Einfache Farbe</translation>
    </message>
    <message>
        <source>The background colour when the kind is Color, and the colour around a background picture.</source>
        <translation>Die Hintergrundfarbe bei der Art Color und die Farbe rund um ein Hintergrundbild.</translation>
    </message>
    <message>
        <source>Gradient start colour</source>
        <translation>Startfarbe des Verlaufs</translation>
    </message>
    <message>
        <source>First colour of the gradient.</source>
        <translation>Erste Farbe des Verlaufs.</translation>
    </message>
    <message>
        <source>Gradient end colour</source>
        <translation>Endfarbe des Verlaufs</translation>
    </message>
    <message>
        <source>Last colour of the gradient.</source>
        <translation>Letzte Farbe des Verlaufs.</translation>
    </message>
    <message>
        <source>Gradient angle (degrees)</source>
        <translation>Winkel des Verlaufs (Grad)</translation>
    </message>
    <message>
        <source>Direction of the gradient: 90 runs from top to bottom, 0 from left to right.</source>
        <translation>Richtung des Verlaufs: 90 läuft von oben nach unten, 0 von links nach rechts.</translation>
    </message>
    <message>
        <source>Publish the background picture</source>
        <translation>Hintergrundbild veröffentlichen</translation>
    </message>
    <message>
        <source>Image copies the background picture into the published book; None leaves it out.</source>
        <translation>Image kopiert das Hintergrundbild in das veröffentlichte Buch; None lässt es weg.</translation>
    </message>
    <message>
        <source>Background picture</source>
        <translation>Hintergrundbild</translation>
    </message>
    <message>
        <source>JPEG, PNG or GIF picture behind the book, used when the kind of background is Image.</source>
        <translation>JPEG-, PNG- oder GIF-Bild hinter dem Buch, verwendet bei der Hintergrundart Image.</translation>
    </message>
    <message>
        <source>Picture placement</source>
        <translation>Bildplatzierung</translation>
    </message>
    <message>
        <source>Fill covers the window (edges may be cut off); Fit shows the whole picture; Stretch distorts it to the window; Center keeps its size in the middle; Tile repeats it; TopLeft keeps its size in the top left corner.</source>
        <translation>Fill bedeckt das Fenster (Ränder können abgeschnitten werden); Fit zeigt das ganze Bild; Stretch verzerrt es auf Fenstergröße; Center behält seine Größe in der Mitte; Tile wiederholt es; TopLeft behält seine Größe in der linken oberen Ecke.</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>Ton</translation>
    </message>
    <message>
        <source>Music and sounds while the book is open.</source>
        <translation>Musik und Töne, während das Buch offen ist.</translation>
    </message>
    <message>
        <source>Background music</source>
        <translation>Hintergrundmusik</translation>
    </message>
    <message>
        <source>An MP3 file played while the book is open. Leave empty for silence.</source>
        <translation>Eine MP3-Datei, die spielt, während das Buch offen ist. Leer lassen für Stille.</translation>
    </message>
    <message>
        <source>Repeat the music</source>
        <translation>Musik wiederholen</translation>
    </message>
    <message>
        <source>Yes plays the music again and again; No plays it once.</source>
        <translation>Yes spielt die Musik immer wieder; No spielt sie einmal.</translation>
    </message>
    <message>
        <source>Page-turn sound</source>
        <translation>Blättergeräusch</translation>
    </message>
    <message>
        <source>A soft rustle whenever a page turns.</source>
        <translation>Ein leises Rascheln bei jedem Umblättern.</translation>
    </message>
    <message>
        <source>Page turning</source>
        <translation>Umblättern</translation>
    </message>
    <message>
        <source>How the book moves.</source>
        <translation>Wie sich das Buch bewegt.</translation>
    </message>
    <message>
        <source>Automatic page turning</source>
        <translation>Automatisches Umblättern</translation>
    </message>
    <message>
        <source>Turns the pages by itself when the book opens; readers can stop it with the auto-play button.</source>
        <translation>Blättert von selbst um, wenn sich das Buch öffnet; Leser können es mit der Auto-Play-Schaltfläche anhalten.</translation>
    </message>
    <message>
        <source>Seconds per page</source>
        <translation>Sekunden pro Seite</translation>
    </message>
    <message>
        <source>Time each page stays open during automatic turning.</source>
        <translation>Zeit, die jede Seite beim automatischen Umblättern offen bleibt.</translation>
    </message>
    <message>
        <source>Start again at the end</source>
        <translation>Am Ende neu beginnen</translation>
    </message>
    <message>
        <source>1: after the last page, automatic turning starts again from the first. 0: it stops there.</source>
        <translation>1: Nach der letzten Seite beginnt das automatische Umblättern wieder bei der ersten. 0: Es hält dort an.</translation>
    </message>
    <message>
        <source>Fit to the window</source>
        <translation>An das Fenster anpassen</translation>
    </message>
    <message>
        <source>Scales the book so that it fills the browser window at any size.</source>
        <translation>Skaliert das Buch, sodass es das Browserfenster in jeder Größe füllt.</translation>
    </message>
    <message>
        <source>Page thickness (pixels)</source>
        <translation>Seitendicke (Pixel)</translation>
    </message>
    <message>
        <source>How thick each sheet looks at the edge of the book.</source>
        <translation>Wie dick jedes Blatt am Rand des Buchs aussieht.</translation>
    </message>
    <message>
        <source>Tilt angle (degrees)</source>
        <translation>Neigungswinkel (Grad)</translation>
    </message>
    <message>
        <source>Tilts the book backwards for a three-dimensional look; 0 shows it flat.</source>
        <translation>Neigt das Buch nach hinten für einen räumlichen Eindruck; 0 zeigt es flach.</translation>
    </message>
    <message>
        <source>Buttons</source>
        <translation>Schaltflächen</translation>
    </message>
    <message>
        <source>Show or hide each button of the player's toolbar.</source>
        <translation>Jede Schaltfläche der Werkzeugleiste des Players zeigen oder ausblenden.</translation>
    </message>
    <message>
        <source>Zoom button</source>
        <translation>Zoom-Schaltfläche</translation>
    </message>
    <message>
        <source>Lets readers enlarge a page. Hide removes the button.</source>
        <translation>Lässt Leser eine Seite vergrößern. Hide entfernt die Schaltfläche.</translation>
    </message>
    <message>
        <source>Auto-play button</source>
        <translation>Auto-Play-Schaltfläche</translation>
    </message>
    <message>
        <source>Starts and stops automatic page turning. Hide removes the button.</source>
        <translation>Startet und stoppt das automatische Umblättern. Hide entfernt die Schaltfläche.</translation>
    </message>
    <message>
        <source>Music button</source>
        <translation>Musik-Schaltfläche</translation>
    </message>
    <message>
        <source>Switches the background music on and off. Hide removes the button.</source>
        <translation>Schaltet die Hintergrundmusik ein und aus. Hide entfernt die Schaltfläche.</translation>
    </message>
    <message>
        <source>Information button</source>
        <translation>Informations-Schaltfläche</translation>
    </message>
    <message>
        <source>Opens the panel with the author and the book's description. Hide removes the button.</source>
        <translation>Öffnet das Feld mit dem Autor und der Beschreibung des Buchs. Hide entfernt die Schaltfläche.</translation>
    </message>
    <message>
        <source>Bookmark button</source>
        <translation>Lesezeichen-Schaltfläche</translation>
    </message>
    <message>
        <source>Lets readers mark pages and return to them. Hide removes the button.</source>
        <translation>Lässt Leser Seiten markieren und zu ihnen zurückkehren. Hide entfernt die Schaltfläche.</translation>
    </message>
    <message>
        <source>Thumbnails button</source>
        <translation>Miniaturen-Schaltfläche</translation>
    </message>
    <message>
        <source>Shows small pictures of all pages for quick jumps. Hide removes the button.</source>
        <translation>Zeigt kleine Bilder aller Seiten für schnelle Sprünge. Hide entfernt die Schaltfläche.</translation>
    </message>
    <message>
        <source>Full-screen button</source>
        <translation>Vollbild-Schaltfläche</translation>
    </message>
    <message>
        <source>Shows the book on the whole screen. Hide removes the button.</source>
        <translation>Zeigt das Buch auf dem ganzen Bildschirm. Hide entfernt die Schaltfläche.</translation>
    </message>
    <message>
        <source>Help button</source>
        <translation>Hilfe-Schaltfläche</translation>
    </message>
    <message>
        <source>Explains how to turn pages and zoom. Hide removes the button.</source>
        <translation>Erklärt, wie man umblättert und zoomt. Hide entfernt die Schaltfläche.</translation>
    </message>
    <message>
        <source>Share button</source>
        <translation>Teilen-Schaltfläche</translation>
    </message>
    <message>
        <source>Offers links to share the book. Hide removes the button.</source>
        <translation>Bietet Links zum Teilen des Buchs. Hide entfernt die Schaltfläche.</translation>
    </message>
    <message>
        <source>Print button</source>
        <translation>Drucken-Schaltfläche</translation>
    </message>
    <message>
        <source>Prints the pages on screen. Hide removes the button.</source>
        <translation>Druckt die angezeigten Seiten. Hide entfernt die Schaltfläche.</translation>
    </message>
    <message>
        <source>Download button</source>
        <translation>Download-Schaltfläche</translation>
    </message>
    <message>
        <source>Offers the file chosen under "File to download". Hide removes the button.</source>
        <translation>Bietet die unter „Datei zum Herunterladen“ gewählte Datei an. Hide entfernt die Schaltfläche.</translation>
    </message>
    <message>
        <source>File to download</source>
        <translation>Datei zum Herunterladen</translation>
    </message>
    <message>
        <source>Offered by the download button, for example the original PDF. Leave empty to offer nothing.</source>
        <translation>Wird von der Download-Schaltfläche angeboten, zum Beispiel das ursprüngliche PDF. Leer lassen, um nichts anzubieten.</translation>
    </message>
    <message>
        <source>Sharing and statistics</source>
        <translation>Teilen und Statistik</translation>
    </message>
    <message>
        <source>Counting readers and sharing the book.</source>
        <translation>Leser zählen und das Buch teilen.</translation>
    </message>
    <message>
        <source>Analytics ID</source>
        <translation>Analyse-ID</translation>
    </message>
    <message>
        <source>Web-analytics property ID (for example G-XXXXXXX) to count readers. Leave empty for no tracking.</source>
        <translation>ID der Webanalyse-Property (zum Beispiel G-XXXXXXX), um Leser zu zählen. Leer lassen für keine Erfassung.</translation>
    </message>
    <message>
        <source>Sharing account</source>
        <translation>Konto zum Teilen</translation>
    </message>
    <message>
        <source>Account ID of your sharing service, used by the share button.</source>
        <translation>Konto-ID Ihres Dienstes zum Teilen, von der Teilen-Schaltfläche verwendet.</translation>
    </message>
    <message>
        <source>Mobile edition</source>
        <translation>Mobile Ausgabe</translation>
    </message>
    <message>
        <source>Used only by the HTML5 edition for phones and tablets.</source>
        <translation>Nur von der HTML5-Ausgabe für Telefone und Tablets verwendet.</translation>
    </message>
    <message>
        <source>Title on phones</source>
        <translation>Titel auf Telefonen</translation>
    </message>
    <message>
        <source>Title of the page that shows the book on phones.</source>
        <translation>Titel der Seite, die das Buch auf Telefonen zeigt.</translation>
    </message>
    <message>
        <source>Logo link on phones</source>
        <translation>Logo-Link auf Telefonen</translation>
    </message>
    <message>
        <source>Web address opened when a phone reader taps the logo.</source>
        <translation>Webadresse, die sich öffnet, wenn ein Leser auf dem Telefon auf das Logo tippt.</translation>
    </message>
    <message>
        <source>Analytics ID on phones</source>
        <translation>Analyse-ID auf Telefonen</translation>
    </message>
    <message>
        <source>Web-analytics property ID for the mobile edition. Leave empty for no tracking.</source>
        <translation>ID der Webanalyse-Property für die mobile Ausgabe. Leer lassen für keine Erfassung.</translation>
    </message>
</context>
<context>
    <name>FlashTmplItemDelegate</name>
    <message>
        <source>Choose a colour</source>
        <translation>Farbe wählen</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Dateien</translation>
    </message>
    <message>
        <source>Choose a file</source>
        <translation>Datei wählen</translation>
    </message>
</context>
<context>
    <name>Foliant_for_macAppDelegate</name>
    <message>
        <source>The command could not be completed.</source>
        <translation>Der Befehl konnte nicht ausgeführt werden.</translation>
    </message>
    <message>
        <source>Export template settings</source>
        <translation>Vorlageneinstellungen exportieren</translation>
    </message>
    <message>
        <source>The settings could not be saved.</source>
        <translation>Die Einstellungen konnten nicht gesichert werden.</translation>
    </message>
    <message>
        <source>Import template settings</source>
        <translation>Vorlageneinstellungen importieren</translation>
    </message>
    <message>
        <source>The settings could not be read.</source>
        <translation>Die Einstellungen konnten nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The manual is not installed.</source>
        <translation>Das Handbuch ist nicht installiert.</translation>
    </message>
    <message>
        <source>Settings exported to %1</source>
        <translation>Einstellungen nach %1 exportiert</translation>
    </message>
    <message>
        <source>%1 is not a readable settings file.</source>
        <translation>%1 ist keine lesbare Einstellungsdatei.</translation>
    </message>
    <message>
        <source>Settings imported from %1</source>
        <translation>Einstellungen aus %1 importiert</translation>
    </message>
    <message>
        <source>Writing %1 failed: %2.</source>
        <translation>Schreiben von %1 ist fehlgeschlagen: %2.</translation>
    </message>
</context>
<context>
    <name>ImportDialog</name>
    <message>
        <source>Import PDF</source>
        <translation>PDF importieren</translation>
    </message>
    <message>
        <source>Path of the PDF file</source>
        <translation>Pfad der PDF-Datei</translation>
    </message>
    <message>
        <source>The PDF document to turn into a book</source>
        <translation>Das PDF-Dokument, aus dem das Buch wird</translation>
    </message>
    <message>
        <source>Browse…</source>
        <translation>Durchsuchen…</translation>
    </message>
    <message>
        <source>Choose a PDF file</source>
        <translation>PDF-Datei wählen</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Open the PDF file in its viewer</source>
        <translation>Die PDF-Datei im Betrachter öffnen</translation>
    </message>
    <message>
        <source>All pages</source>
        <translation>Alle Seiten</translation>
    </message>
    <message>
        <source>Pages:</source>
        <translation>Seiten:</translation>
    </message>
    <message>
        <source>e.g. 1-5, 8, 11-13</source>
        <translation>z. B. 1-5, 8, 11-13</translation>
    </message>
    <message>
        <source>Page numbers and ranges separated by commas</source>
        <translation>Seitenzahlen und Bereiche, durch Kommas getrennt</translation>
    </message>
    <message>
        <source>Best (100%)</source>
        <translation>Beste (100 %)</translation>
    </message>
    <message>
        <source>High (85%)</source>
        <translation>Hoch (85 %)</translation>
    </message>
    <message>
        <source>Medium (65%)</source>
        <translation>Mittel (65 %)</translation>
    </message>
    <message>
        <source>Low (45%)</source>
        <translation>Niedrig (45 %)</translation>
    </message>
    <message>
        <source>Lowest (25%)</source>
        <translation>Niedrigste (25 %)</translation>
    </message>
    <message>
        <source>JPEG quality of the page images: lower means smaller files</source>
        <translation>JPEG-Qualität der Seitenbilder: niedriger heißt kleinere Dateien</translation>
    </message>
    <message>
        <source>Vector pages (sharp at every zoom)</source>
        <translation>Vektorseiten (scharf in jeder Vergrößerung)</translation>
    </message>
    <message>
        <source>Page images</source>
        <translation>Seitenbilder</translation>
    </message>
    <message>
        <source>Import links</source>
        <translation>Links importieren</translation>
    </message>
    <message>
        <source>Keep the document's web and page links clickable in the book</source>
        <translation>Die Web- und Seitenlinks des Dokuments bleiben im Buch anklickbar</translation>
    </message>
    <message>
        <source>Import bookmarks</source>
        <translation>Lesezeichen importieren</translation>
    </message>
    <message>
        <source>Use the document's outline as the book's table of contents</source>
        <translation>Die Gliederung des Dokuments als Inhaltsverzeichnis des Buchs verwenden</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Quality:</source>
        <translation>Qualität:</translation>
    </message>
    <message>
        <source>Page format:</source>
        <translation>Seitenformat:</translation>
    </message>
    <message>
        <source>Extras:</source>
        <translation>Extras:</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Importieren</translation>
    </message>
    <message>
        <source>Start importing (the current book is replaced when the import succeeds)</source>
        <translation>Import starten (das aktuelle Buch wird ersetzt, wenn der Import gelingt)</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Stop a running import, or close this dialog</source>
        <translation>Einen laufenden Import anhalten oder diesen Dialog schließen</translation>
    </message>
    <message>
        <source>PDF file:</source>
        <translation>PDF-Datei:</translation>
    </message>
    <message>
        <source>Only for a PDF locked with a password</source>
        <translation>Nur für ein mit Passwort geschütztes PDF</translation>
    </message>
    <message>
        <source>The password that opens the PDF; it is used for this import only and never stored</source>
        <translation>Das Passwort, das das PDF öffnet; es gilt nur für diesen Import und wird nie gespeichert</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Passwort:</translation>
    </message>
    <message>
        <source>Import text</source>
        <translation>Text importieren</translation>
    </message>
    <message>
        <source>Keep the pages' words: readers can search, select and hear the text, and search engines find it</source>
        <translation>Die Wörter der Seiten behalten: Leser können den Text durchsuchen, markieren und vorlesen lassen, und Suchmaschinen finden ihn</translation>
    </message>
</context>
<context>
    <name>ImportWindowDelegate</name>
    <message>
        <source>Import PDF file does not exist.</source>
        <translation>Die zu importierende PDF-Datei existiert nicht.</translation>
    </message>
    <message>
        <source>Import cancelled.</source>
        <translation>Import abgebrochen.</translation>
    </message>
    <message>
        <source>The PDF file could not be imported. It may be damaged, protected by a password, or have no pages in the range.</source>
        <translation>Die PDF-Datei konnte nicht importiert werden. Sie ist vielleicht beschädigt, durch ein Passwort geschützt oder hat keine Seiten im Bereich.</translation>
    </message>
    <message>
        <source>Choose a PDF file</source>
        <translation>PDF-Datei wählen</translation>
    </message>
    <message>
        <source>Importing:%1 of %2 Pages</source>
        <translation>Importiere: %1 von %2 Seiten</translation>
    </message>
    <message>
        <source>Importing...</source>
        <translation>Importiere…</translation>
    </message>
    <message>
        <source>wrong password</source>
        <translation>falsches Passwort</translation>
    </message>
    <message>
        <source>The PDF is locked with a password: enter it in the Password field.</source>
        <translation>Das PDF ist durch ein Passwort geschützt: Bitte im Feld „Passwort“ eingeben.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Property</source>
        <translation>Eigenschaft</translation>
    </message>
    <message>
        <source>Select a property to read what it changes.</source>
        <translation>Eine Eigenschaft wählen, um zu lesen, was sie ändert.</translation>
    </message>
    <message>
        <source>Commands</source>
        <translation>Befehle</translation>
    </message>
    <message>
        <source>Template</source>
        <translation>Vorlage</translation>
    </message>
    <message>
        <source>Ctrl+T</source>
        <translation>Ctrl+T</translation>
    </message>
    <message>
        <source>Choose the book's template and style (Ctrl+T)</source>
        <translation>Vorlage und Stil des Buchs wählen (Strg+T)</translation>
    </message>
    <message>
        <source>Ctrl+Shift+I</source>
        <translation>Ctrl+Shift+I</translation>
    </message>
    <message>
        <source>Load property values from a settings file</source>
        <translation>Eigenschaftswerte aus einer Einstellungsdatei laden</translation>
    </message>
    <message>
        <source>Ctrl+Shift+E</source>
        <translation>Ctrl+Shift+E</translation>
    </message>
    <message>
        <source>Save the property values to a settings file</source>
        <translation>Die Eigenschaftswerte in einer Einstellungsdatei sichern</translation>
    </message>
    <message>
        <source>Ctrl+E</source>
        <translation>Ctrl+E</translation>
    </message>
    <message>
        <source>Place links, images, video and sound on the pages (Ctrl+E)</source>
        <translation>Links, Bilder, Videos und Töne auf den Seiten platzieren (Strg+E)</translation>
    </message>
    <message>
        <source>Ctrl+P</source>
        <translation>Ctrl+P</translation>
    </message>
    <message>
        <source>Write the book for the web (Ctrl+P)</source>
        <translation>Das Buch für das Web schreiben (Strg+P)</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Open the manual (F1)</source>
        <translation>Das Handbuch öffnen (F1)</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Anwenden</translation>
    </message>
    <message>
        <source>Ctrl+R</source>
        <translation>Ctrl+R</translation>
    </message>
    <message>
        <source>Show property changes in the preview (Ctrl+R)</source>
        <translation>Geänderte Eigenschaften in der Vorschau zeigen (Strg+R)</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Template</source>
        <translation>&amp;Vorlage</translation>
    </message>
    <message>
        <source>&amp;Book</source>
        <translation>&amp;Buch</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;About Foliant</source>
        <translation>Ü&amp;ber Foliant</translation>
    </message>
    <message>
        <source>About Foliant</source>
        <translation>Über Foliant</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Foliant&lt;/h3&gt;&lt;p&gt;Turns PDF documents into page-turning books for the web.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Foliant&lt;/h3&gt;&lt;p&gt;Macht aus PDF-Dokumenten blätterbare Bücher für das Web.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Drop a PDF on the window to import it</source>
        <translation>Ein PDF auf das Fenster ziehen, um es zu importieren</translation>
    </message>
    <message>
        <source>&amp;Import PDF</source>
        <translation>PDF &amp;importieren</translation>
    </message>
    <message>
        <source>Ctrl+I</source>
        <translation>Ctrl+I</translation>
    </message>
    <message>
        <source>Turn a PDF document into the book (Ctrl+I); you can also drop a PDF on the window</source>
        <translation>Ein PDF-Dokument zum Buch machen (Strg+I); ein PDF lässt sich auch auf das Fenster ziehen</translation>
    </message>
    <message>
        <source>Choose &amp;Template</source>
        <translation>&amp;Vorlage wählen</translation>
    </message>
    <message>
        <source>&amp;Import Settings</source>
        <translation>Einstellungen i&amp;mportieren</translation>
    </message>
    <message>
        <source>&amp;Export Settings</source>
        <translation>Einstellungen &amp;exportieren</translation>
    </message>
    <message>
        <source>&amp;Page Editor</source>
        <translation>&amp;Seiteneditor</translation>
    </message>
    <message>
        <source>&amp;Publish</source>
        <translation>&amp;Veröffentlichen</translation>
    </message>
    <message>
        <source>&amp;Manual</source>
        <translation>&amp;Handbuch</translation>
    </message>
    <message>
        <source>&amp;Apply Changes</source>
        <translation>Änderungen &amp;anwenden</translation>
    </message>
    <message>
        <source>&amp;Open Project…</source>
        <translation>Projekt ö&amp;ffnen…</translation>
    </message>
    <message>
        <source>Open a saved book project (Ctrl+O)</source>
        <translation>Ein gespeichertes Buchprojekt öffnen (Strg+O)</translation>
    </message>
    <message>
        <source>&amp;Save Project</source>
        <translation>Projekt &amp;speichern</translation>
    </message>
    <message>
        <source>Save the book with its pages, links and settings (Ctrl+S)</source>
        <translation>Das Buch mit Seiten, Links und Einstellungen speichern (Strg+S)</translation>
    </message>
    <message>
        <source>Save Project &amp;As…</source>
        <translation>Projekt speichern &amp;unter…</translation>
    </message>
    <message>
        <source>Save the book as a new project file (Ctrl+Shift+S)</source>
        <translation>Das Buch als neue Projektdatei speichern (Strg+Umschalt+S)</translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <translation>&amp;Zuletzt geöffnet</translation>
    </message>
    <message>
        <source>No Recent Projects</source>
        <translation>Keine zuletzt geöffneten Projekte</translation>
    </message>
</context>
<context>
    <name>OutputWindowDelegate</name>
    <message>
        <source>Choose folder</source>
        <translation>Ordner wählen</translation>
    </message>
    <message>
        <source>This folder cannot be replaced.</source>
        <translation>Dieser Ordner kann nicht ersetzt werden.</translation>
    </message>
    <message>
        <source>%1 holds more than a published book. Choose a new or empty folder for the book.</source>
        <translation>%1 enthält mehr als ein veröffentlichtes Buch. Einen neuen oder leeren Ordner für das Buch wählen.</translation>
    </message>
    <message>
        <source>Output directory already exists. Do you want to over write it?</source>
        <translation>Der Ausgabeordner existiert bereits. Soll er überschrieben werden?</translation>
    </message>
    <message>
        <source>YES</source>
        <translation>JA</translation>
    </message>
    <message>
        <source>NO</source>
        <translation>NEIN</translation>
    </message>
    <message>
        <source>Choose a folder to publish into.</source>
        <translation>Einen Ordner für die Veröffentlichung wählen.</translation>
    </message>
    <message>
        <source>The output folder must be a full path, such as %1.</source>
        <translation>Der Ausgabeordner muss ein vollständiger Pfad sein, etwa %1.</translation>
    </message>
    <message>
        <source>Open the result files?</source>
        <translation>Die Ergebnisdateien öffnen?</translation>
    </message>
    <message>
        <source>Publish finished! Open the it?</source>
        <translation>Veröffentlichung fertig! Öffnen?</translation>
    </message>
    <message>
        <source>Open it</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
    <message>
        <source>The book could not be published.</source>
        <translation>Das Buch konnte nicht veröffentlicht werden.</translation>
    </message>
</context>
<context>
    <name>PageEditorWindow</name>
    <message>
        <source>Page Editor</source>
        <translation>Seiteneditor</translation>
    </message>
    <message>
        <source>Leave the Page Editor</source>
        <translation>Seiteneditor verlassen</translation>
    </message>
    <message>
        <source>Leave the page editor without saving your changes?</source>
        <translation>Den Seiteneditor verlassen, ohne die Änderungen zu sichern?</translation>
    </message>
</context>
<context>
    <name>PageEditorWindowDelegate</name>
    <message>
        <source>Please select image file to open</source>
        <translation>Bilddatei zum Öffnen wählen</translation>
    </message>
    <message>
        <source>Please select swf file to open</source>
        <translation>SWF-Datei zum Öffnen wählen</translation>
    </message>
    <message>
        <source>Please select the movie file to open</source>
        <translation>Videodatei zum Öffnen wählen</translation>
    </message>
    <message>
        <source>Please select mp3 file to open</source>
        <translation>MP3-Datei zum Öffnen wählen</translation>
    </message>
    <message>
        <source>Please select images file to open</source>
        <translation>Bilddateien zum Öffnen wählen</translation>
    </message>
</context>
<context>
    <name>PreviewFrame</name>
    <message>
        <source>Book preview</source>
        <translation>Buchvorschau</translation>
    </message>
    <message>
        <source>Press Enter to use the book with the keyboard, Escape to leave it</source>
        <translation>Eingabe drücken, um das Buch mit der Tastatur zu bedienen, Escape, um es zu verlassen</translation>
    </message>
    <message>
        <source>Book preview: press Enter to use it with the keyboard, Escape to leave it</source>
        <translation>Buchvorschau: Eingabe drücken, um sie mit der Tastatur zu bedienen, Escape, um sie zu verlassen</translation>
    </message>
</context>
<context>
    <name>PublishDialog</name>
    <message>
        <source>Publish Book</source>
        <translation>Buch veröffentlichen</translation>
    </message>
    <message>
        <source>Folder that will hold the book</source>
        <translation>Ordner, der das Buch aufnimmt</translation>
    </message>
    <message>
        <source>The book is written into this folder; an existing folder is replaced after you confirm</source>
        <translation>Das Buch wird in diesen Ordner geschrieben; ein vorhandener Ordner wird nach Bestätigung ersetzt</translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation>Wählen…</translation>
    </message>
    <message>
        <source>Choose the destination folder</source>
        <translation>Zielordner wählen</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Show the destination folder in the file manager</source>
        <translation>Den Zielordner in der Dateiverwaltung zeigen</translation>
    </message>
    <message>
        <source>index</source>
        <translation>index</translation>
    </message>
    <message>
        <source>File name of the book's web page, without ".html"</source>
        <translation>Dateiname der Webseite des Buchs, ohne „.html“</translation>
    </message>
    <message>
        <source>Title shown in the browser</source>
        <translation>Im Browser angezeigter Titel</translation>
    </message>
    <message>
        <source>Title of the book's web page</source>
        <translation>Titel der Webseite des Buchs</translation>
    </message>
    <message>
        <source>Web book folder</source>
        <translation>Ordner mit Web-Buch</translation>
    </message>
    <message>
        <source>A folder to put on a web site or open from disk</source>
        <translation>Ein Ordner für eine Website oder zum Öffnen von der Festplatte</translation>
    </message>
    <message>
        <source>Mac application</source>
        <translation>Mac-Programm</translation>
    </message>
    <message>
        <source>A double-clickable application that carries the book</source>
        <translation>Ein Programm zum Doppelklicken, das das Buch enthält</translation>
    </message>
    <message>
        <source>Also publish a version for phones</source>
        <translation>Auch eine Ausgabe für Telefone veröffentlichen</translation>
    </message>
    <message>
        <source>Adds an HTML5 edition made from the page images</source>
        <translation>Fügt eine HTML5-Ausgabe aus den Seitenbildern hinzu</translation>
    </message>
    <message>
        <source>Flip (turning pages)</source>
        <translation>Flip (blätternde Seiten)</translation>
    </message>
    <message>
        <source>Slide (swiping pages)</source>
        <translation>Slide (wischende Seiten)</translation>
    </message>
    <message>
        <source>How the phone version turns its pages</source>
        <translation>Wie die Telefonausgabe ihre Seiten umblättert</translation>
    </message>
    <message>
        <source>Book</source>
        <translation>Buch</translation>
    </message>
    <message>
        <source>Folder:</source>
        <translation>Ordner:</translation>
    </message>
    <message>
        <source>Page name:</source>
        <translation>Seitenname:</translation>
    </message>
    <message>
        <source>Title:</source>
        <translation>Titel:</translation>
    </message>
    <message>
        <source>Output:</source>
        <translation>Ausgabe:</translation>
    </message>
    <message>
        <source>Phones:</source>
        <translation>Telefone:</translation>
    </message>
    <message>
        <source>Publish</source>
        <translation>Veröffentlichen</translation>
    </message>
    <message>
        <source>Write the book into the folder</source>
        <translation>Das Buch in den Ordner schreiben</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>All files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Files (%1)</source>
        <translation>Dateien (%1)</translation>
    </message>
    <message>
        <source>Settings files (*.txt);;All files (*)</source>
        <translation>Einstellungsdateien (*.txt);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Colour…</source>
        <translation>Farbe…</translation>
    </message>
    <message>
        <source>…</source>
        <translation>…</translation>
    </message>
    <message>
        <source>Choose a colour</source>
        <translation>Farbe wählen</translation>
    </message>
    <message>
        <source>Choose a file</source>
        <translation>Datei wählen</translation>
    </message>
    <message>
        <source>Remove the file</source>
        <translation>Datei entfernen</translation>
    </message>
</context>
<context>
    <name>SelectTemplateWindow</name>
    <message>
        <source>Choose a Template</source>
        <translation>Vorlage wählen</translation>
    </message>
    <message>
        <source>Installed templates</source>
        <translation>Installierte Vorlagen</translation>
    </message>
    <message>
        <source>Styles of the selected template: double-click one to use it</source>
        <translation>Stile der gewählten Vorlage: Doppelklick verwendet einen</translation>
    </message>
    <message>
        <source>Styles</source>
        <translation>Stile</translation>
    </message>
    <message>
        <source>Templates</source>
        <translation>Vorlagen</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>Look for newly installed templates</source>
        <translation>Nach neu installierten Vorlagen suchen</translation>
    </message>
    <message>
        <source>Use Style</source>
        <translation>Stil verwenden</translation>
    </message>
</context>
</TS>
