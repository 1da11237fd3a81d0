<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES" sourcelanguage="en">
<context>
    <name>FlashTemplateOutline</name>
    <message>
        <source>Template properties: select a row to read what it does; edit its value on the right</source>
        <translation>Propiedades de la plantilla: seleccione una fila para leer qué hace; edite su valor a la derecha</translation>
    </message>
</context>
<context>
    <name>FlashTemplateOutlineDelegate</name>
    <message>
        <source>Property</source>
        <translation>Propiedad</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Valor</translation>
    </message>
    <message>
        <source>(Untitled)</source>
        <translation>(Sin título)</translation>
    </message>
    <message>
        <source>(Unknown)</source>
        <translation>(Desconocido)</translation>
    </message>
</context>
<context>
    <name>FlashTemplateProperty</name>
    <message>
        <source>Book</source>
        <translation>Libro</translation>
    </message>
    <message>
        <source>The book's title, its author and the size of its pages.</source>
        <translation>El título del libro, su autor y el tamaño de sus páginas.</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Título</translation>
    </message>
    <message>
        <source>Shown in the player's title bar and in the browser tab.</source>
        <translation>Se muestra en la barra de título del reproductor y en la pestaña del navegador.</translation>
    </message>
    <message>
        <source>Author</source>
        <translation>Autor</translation>
    </message>
    <message>
        <source>Your name or your organisation's, shown in the information panel.</source>
        <translation>Su nombre o el de su organización, mostrado en el panel de información.</translation>
    </message>
    <message>
        <source>E-mail address</source>
        <translation>Correo electrónico</translation>
    </message>
    <message>
        <source>Address readers can write to from the information panel. Leave empty to show none.</source>
        <translation>Dirección a la que los lectores pueden escribir desde el panel de información. Déjela vacía para no mostrar ninguna.</translation>
    </message>
    <message>
        <source>Web site</source>
        <translation>Sitio web</translation>
    </message>
    <message>
        <source>Your web address, shown in the information panel. Leave empty to show none.</source>
        <translation>Su dirección web, mostrada en el panel de información. Déjela vacía para no mostrar ninguna.</translation>
    </message>
    <message>
        <source>About this book</source>
        <translation>Acerca de este libro</translation>
    </message>
    <message>
        <source>A sentence or two about the book, shown in the information panel and used as the description of the mobile edition.</source>
        <translation>Una o dos frases sobre el libro, mostradas en el panel de información y usadas como descripción de la edición móvil.</translation>
    </message>
    <message>
        <source>Page width (pixels)</source>
        <translation>Ancho de página (píxeles)</translation>
    </message>
    <message>
        <source>Width of one page. Importing a PDF sets it from the document's first page; choosing another template or style keeps it.</source>
        <translation>Ancho de una página. Al importar un PDF se toma de la primera página del documento; otra plantilla u otro estilo lo conservan.</translation>
    </message>
    <message>
        <source>Page height (pixels)</source>
        <translation>Alto de página (píxeles)</translation>
    </message>
    <message>
        <source>Height of one page. Importing a PDF sets it from the document's first page; choosing another template or style keeps it.</source>
        <translation>Alto de una página. Al importar un PDF se toma de la primera página del documento; otra plantilla u otro estilo lo conservan.</translation>
    </message>
    <message>
        <source>Player language</source>
        <translation>Idioma del reproductor</translation>
    </message>
    <message>
        <source>Language of the player's buttons and tips. Choosing another template or style keeps it.</source>
        <translation>Idioma de los botones y consejos del reproductor. Otra plantilla u otro estilo lo conservan.</translation>
    </message>
    <message>
        <source>Reading direction</source>
        <translation>Sentido de lectura</translation>
    </message>
    <message>
        <source>Right: the book opens to the right and pages turn from right to left, as in English. Left: for books in right-to-left scripts such as Arabic or Hebrew.</source>
        <translation>Right: el libro se abre hacia la derecha y las páginas pasan de derecha a izquierda, como en español. Left: para libros en escrituras de derecha a izquierda, como el árabe o el hebreo.</translation>
    </message>
    <message>
        <source>Logo</source>
        <translation>Logotipo</translation>
    </message>
    <message>
        <source>A small picture of yours in a corner of the player.</source>
        <translation>Una pequeña imagen suya en una esquina del reproductor.</translation>
    </message>
    <message>
        <source>Logo picture</source>
        <translation>Imagen del logotipo</translation>
    </message>
    <message>
        <source>PNG, JPEG or GIF picture. A PNG with a transparent background looks best. Leave empty for no logo.</source>
        <translation>Imagen PNG, JPEG o GIF. Un PNG con fondo transparente queda mejor. Déjela vacía para no mostrar logotipo.</translation>
    </message>
    <message>
        <source>Show the logo</source>
        <translation>Mostrar el logotipo</translation>
    </message>
    <message>
        <source>Yes shows the logo picture; No hides it without forgetting it.</source>
        <translation>Yes muestra la imagen del logotipo; No la oculta sin olvidarla.</translation>
    </message>
    <message>
        <source>Logo link</source>
        <translation>Enlace del logotipo</translation>
    </message>
    <message>
        <source>Web address opened when a reader clicks the logo, for example https://example.org/. Leave empty to make the logo a plain picture.</source>
        <translation>Dirección web que se abre cuando un lector hace clic en el logotipo, por ejemplo https://example.org/. Déjela vacía para que el logotipo sea una imagen sin enlace.</translation>
    </message>
    <message>
        <source>Colours</source>
        <translation>Colores</translation>
    </message>
    <message>
        <source>The colours of the player around the book.</source>
        <translation>Los colores del reproductor alrededor del libro.</translation>
    </message>
    <message>
        <source>Toolbar colour</source>
        <translation>Color de la barra de herramientas</translation>
    </message>
    <message>
        <source>Colour of the player's bars and buttons.</source>
        <translation>Color de las barras y los botones del reproductor.</translation>
    </message>
    <message>
        <source>Background</source>
        <translation>Fondo</translation>
    </message>
    <message>
        <source>What lies behind the book: a gradient, one colour or a picture.</source>
        <translation>Lo que hay detrás del libro: un degradado, un color o una imagen.</translation>
    </message>
    <message>
        <source>Kind of background</source>
        <translation>Tipo de fondo</translation>
    </message>
    <message>
        <source>GradientColor: a blend from the start colour to the end colour. Color: the plain colour alone. Image: the background picture, laid over the plain colour.</source>
        <translation>GradientColor: una transición del color inicial al final. Color: solo el color liso. Image: la imagen de fondo sobre el color liso.</translation>
    </message>
    <message>
        <source>Plain colour</source>
        <translation>Color liso</translation>
    </message>
    <message>
        <source>The background colour when the kind is Color, and the colour around a background picture.</source>
        <translation>El color de fondo cuando el tipo es Color, y el color alrededor de una imagen de fondo.</translation>
    </message>
    <message>
        <source>Gradient start colour</source>
        <translation>Color inicial del degradado</translation>
    </message>
    <message>
        <source>First colour of the gradient.</source>
        <translation>Primer color del degradado.</translation>
    </message>
    <message>
        <source>Gradient end colour</source>
        <translation>Color final del degradado</translation>
    </message>
    <message>
        <source>Last colour of the gradient.</source>
        <translation>Último color del degradado.</translation>
    </message>
    <message>
        <source>Gradient angle (degrees)</source>
        <translation>Ángulo del degradado (grados)</translation>
    </message>
    <message>
        <source>Direction of the gradient: 90 runs from top to bottom, 0 from left to right.</source>
        <translation>Dirección del degradado: 90 va de arriba abajo, 0 de izquierda a derecha.</translation>
    </message>
    <message>
        <source>Publish the background picture</source>
        <translation>Publicar la imagen de fondo</translation>
    </message>
    <message>
        <source>Image copies the background picture into the published book; None leaves it out.</source>
        <translation>Image copia la imagen de fondo en el libro publicado; None la deja fuera.</translation>
    </message>
    <message>
        <source>Background picture</source>
        <translation>Imagen de fondo</translation>
    </message>
    <message>
        <source>JPEG, PNG or GIF picture behind the book, used when the kind of background is Image.</source>
        <translation>Imagen JPEG, PNG o GIF detrás del libro, usada cuando el tipo de fondo es Image.</translation>
    </message>
    <message>
        <source>Picture placement</source>
        <translation>Colocación de la imagen</translation>
    </message>
    <message>
        <source>Fill covers the window (edges may be cut off); Fit shows the whole picture; Stretch distorts it to the window; Center keeps its size in the middle; Tile repeats it; TopLeft keeps its size in the top left corner.</source>
        <translation>Fill cubre la ventana (los bordes pueden recortarse); Fit muestra la imagen entera; Stretch la deforma al tamaño de la ventana; Center mantiene su tamaño en el centro; Tile la repite; TopLeft mantiene su tamaño en la esquina superior izquierda.</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>Sonido</translation>
    </message>
    <message>
        <source>Music and sounds while the book is open.</source>
        <translation>Música y sonidos mientras el libro está abierto.</translation>
    </message>
    <message>
        <source>Background music</source>
        <translation>Música de fondo</translation>
    </message>
    <message>
        <source>An MP3 file played while the book is open. Leave empty for silence.</source>
        <translation>Un archivo MP3 que suena mientras el libro está abierto. Déjelo vacío para silencio.</translation>
    </message>
    <message>
        <source>Repeat the music</source>
        <translation>Repetir la música</translation>
    </message>
    <message>
        <source>Yes plays the music again and again; No plays it once.</source>
        <translation>Yes reproduce la música una y otra vez; No la reproduce una vez.</translation>
    </message>
    <message>
        <source>Page-turn sound</source>
        <translation>Sonido al pasar página</translation>
    </message>
    <message>
        <source>A soft rustle whenever a page turns.</source>
        <translation>Un suave susurro cada vez que pasa una página.</translation>
    </message>
    <message>
        <source>Page turning</source>
        <translation>Paso de página</translation>
    </message>
    <message>
        <source>How the book moves.</source>
        <translation>Cómo se mueve el libro.</translation>
    </message>
    <message>
        <source>Automatic page turning</source>
        <translation>Paso de página automático</translation>
    </message>
    <message>
        <source>Turns the pages by itself when the book opens; readers can stop it with the auto-play button.</source>
        <translation>Pasa las páginas solo al abrirse el libro; los lectores pueden detenerlo con el botón de reproducción automática.</translation>
    </message>
    <message>
        <source>Seconds per page</source>
        <translation>Segundos por página</translation>
    </message>
    <message>
        <source>Time each page stays open during automatic turning.</source>
        <translation>Tiempo que cada página permanece abierta durante el paso automático.</translation>
    </message>
    <message>
        <source>Start again at the end</source>
        <translation>Volver a empezar al final</translation>
    </message>
    <message>
        <source>1: after the last page, automatic turning starts again from the first. 0: it stops there.</source>
        <translation>1: tras la última página, el paso automático vuelve a empezar por la primera. 0: se detiene ahí.</translation>
    </message>
    <message>
        <source>Fit to the window</source>
        <translation>Ajustar a la ventana</translation>
    </message>
    <message>
        <source>Scales the book so that it fills the browser window at any size.</source>
        <translation>Escala el libro para que llene la ventana del navegador a cualquier tamaño.</translation>
    </message>
    <message>
        <source>Page thickness (pixels)</source>
        <translation>Grosor de página (píxeles)</translation>
    </message>
    <message>
        <source>How thick each sheet looks at the edge of the book.</source>
        <translation>Lo grueso que se ve cada hoja en el canto del libro.</translation>
    </message>
    <message>
        <source>Tilt angle (degrees)</source>
        <translation>Ángulo de inclinación (grados)</translation>
    </message>
    <message>
        <source>Tilts the book backwards for a three-dimensional look; 0 shows it flat.</source>
        <translation>Inclina el libro hacia atrás para un aspecto tridimensional; 0 lo muestra plano.</translation>
    </message>
    <message>
        <source>Buttons</source>
        <translation>Botones</translation>
    </message>
    <message>
        <source>Show or hide each button of the player's toolbar.</source>
        <translation>Mostrar u ocultar cada botón de la barra de herramientas del reproductor.</translation>
    </message>
    <message>
        <source>Zoom button</source>
        <translation>Botón de zoom</translation>
    </message>
    <message>
        <source>Lets readers enlarge a page. Hide removes the button.</source>
        <translation>Permite a los lectores ampliar una página. Hide quita el botón.</translation>
    </message>
    <message>
        <source>Auto-play button</source>
        <translation>Botón de reproducción automática</translation>
    </message>
    <message>
        <source>Starts and stops automatic page turning. Hide removes the button.</source>
        <translation>Inicia y detiene el paso automático de página. Hide quita el botón.</translation>
    </message>
    <message>
        <source>Music button</source>
        <translation>Botón de música</translation>
    </message>
    <message>
        <source>Switches the background music on and off. Hide removes the button.</source>
        <translation>Activa y desactiva la música de fondo. Hide quita el botón.</translation>
    </message>
    <message>
        <source>Information button</source>
        <translation>Botón de información</translation>
    </message>
    <message>
        <source>Opens the panel with the author and the book's description. Hide removes the button.</source>
        <translation>Abre el panel con el autor y la descripción del libro. Hide quita el botón.</translation>
    </message>
    <message>
        <source>Bookmark button</source>
        <translation>Botón de marcadores</translation>
    </message>
    <message>
        <source>Lets readers mark pages and return to them. Hide removes the button.</source>
        <translation>Permite a los lectores marcar páginas y volver a ellas. Hide quita el botón.</translation>
    </message>
    <message>
        <source>Thumbnails button</source>
        <translation>Botón de miniaturas</translation>
    </message>
    <message>
        <source>Shows small pictures of all pages for quick jumps. Hide removes the button.</source>
        <translation>Muestra imágenes pequeñas de todas las páginas para saltar rápido. Hide quita el botón.</translation>
    </message>
    <message>
        <source>Full-screen button</source>
        <translation>Botón de pantalla completa</translation>
    </message>
    <message>
        <source>Shows the book on the whole screen. Hide removes the button.</source>
        <translation>Muestra el libro en toda la pantalla. Hide quita el botón.</translation>
    </message>
    <message>
        <source>Help button</source>
        <translation>Botón de ayuda</translation>
    </message>
    <message>
        <source>Explains how to turn pages and zoom. Hide removes the button.</source>
        <translation>Explica cómo pasar páginas y hacer zoom. Hide quita el botón.</translation>
    </message>
    <message>
        <source>Share button</source>
        <translation>Botón de compartir</translation>
    </message>
    <message>
        <source>Offers links to share the book. Hide removes the button.</source>
        <translation>Ofrece enlaces para compartir el libro. Hide quita el botón.</translation>
    </message>
    <message>
        <source>Print button</source>
        <translation>Botón de imprimir</translation>
    </message>
    <message>
        <source>Prints the pages on screen. Hide removes the button.</source>
        <translation>Imprime las páginas en pantalla. Hide quita el botón.</translation>
    </message>
    <message>
        <source>Download button</source>
        <translation>Botón de descarga</translation>
    </message>
    <message>
        <source>Offers the file chosen under "File to download". Hide removes the button.</source>
        <translation>Ofrece el archivo elegido en «Archivo para descargar». Hide quita el botón.</translation>
    </message>
    <message>
        <source>File to download</source>
        <translation>Archivo para descargar</translation>
    </message>
    <message>
        <source>Offered by the download button, for example the original PDF. Leave empty to offer nothing.</source>
        <translation>Lo ofrece el botón de descarga, por ejemplo el PDF original. Déjelo vacío para no ofrecer nada.</translation>
    </message>
    <message>
        <source>Sharing and statistics</source>
        <translation>Compartir y estadísticas</translation>
    </message>
    <message>
        <source>Counting readers and sharing the book.</source>
        <translation>Contar lectores y compartir el libro.</translation>
    </message>
    <message>
        <source>Analytics ID</source>
        <translation>ID de analítica</translation>
    </message>
    <message>
        <source>Web-analytics property ID (for example G-XXXXXXX) to count readers. Leave empty for no tracking.</source>
        <translation>ID de propiedad de analítica web (por ejemplo G-XXXXXXX) para contar lectores. Déjelo vacío para no hacer seguimiento.</translation>
    </message>
    <message>
        <source>Sharing account</source>
        <translation>Cuenta para compartir</translation>
    </message>
    <message>
        <source>Account ID of your sharing service, used by the share button.</source>
        <translation>ID de la cuenta de su servicio para compartir, usado por el botón de compartir.</translation>
    </message>
    <message>
        <source>Mobile edition</source>
        <translation>Edición móvil</translation>
    </message>
    <message>
        <source>Used only by the HTML5 edition for phones and tablets.</source>
        <translation>Solo lo usa la edición HTML5 para teléfonos y tabletas.</translation>
    </message>
    <message>
        <source>Title on phones</source>
        <translation>Título en teléfonos</translation>
    </message>
    <message>
        <source>Title of the page that shows the book on phones.</source>
        <translation>Título de la página que muestra el libro en los teléfonos.</translation>
    </message>
    <message>
        <source>Logo link on phones</source>
        <translation>Enlace del logotipo en teléfonos</translation>
    </message>
    <message>
        <source>Web address opened when a phone reader taps the logo.</source>
        <translation>Dirección web que se abre cuando un lector toca el logotipo en el teléfono.</translation>
    </message>
    <message>
        <source>Analytics ID on phones</source>
        <translation>ID de analítica en teléfonos</translation>
    </message>
    <message>
        <source>Web-analytics property ID for the mobile edition. Leave empty for no tracking.</source>
        <translation>ID de propiedad de analítica web para la edición móvil. Déjelo vacío para no hacer seguimiento.</translation>
    </message>
</context>
<context>
    <name>FlashTmplItemDelegate</name>
    <message>
        <source>Choose a colour</source>
        <translation>Elegir un color</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Todos los archivos (*)</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Archivos</translation>
    </message>
    <message>
        <source>Choose a file</source>
        <translation>Elegir un archivo</translation>
    </message>
</context>
<context>
    <name>Foliant_for_macAppDelegate</name>
    <message>
        <source>The command could not be completed.</source>
        <translation>No se pudo completar la orden.</translation>
    </message>
    <message>
        <source>Export template settings</source>
        <translation>Exportar los ajustes de la plantilla</translation>
    </message>
    <message>
        <source>The settings could not be saved.</source>
        <translation>No se pudieron guardar los ajustes.</translation>
    </message>
    <message>
        <source>Import template settings</source>
        <translation>Importar los ajustes de la plantilla</translation>
    </message>
    <message>
        <source>The settings could not be read.</source>
        <translation>No se pudieron leer los ajustes.</translation>
    </message>
    <message>
        <source>The manual is not installed.</source>
        <translation>El manual no está instalado.</translation>
    </message>
    <message>
        <source>Settings exported to %1</source>
        <translation>Ajustes exportados a %1</translation>
    </message>
    <message>
        <source>%1 is not a readable settings file.</source>
        <translation>%1 no es un archivo de ajustes legible.</translation>
    </message>
    <message>
        <source>Settings imported from %1</source>
        <translation>Ajustes importados de %1</translation>
    </message>
    <message>
        <source>Writing %1 failed: %2.</source>
        <translation>Falló la escritura de %1: %2.</translation>
    </message>
</context>
<context>
    <name>ImportDialog</name>
    <message>
        <source>Import PDF</source>
        <translation>Importar PDF</translation>
    </message>
    <message>
        <source>Path of the PDF file</source>
        <translation>Ruta del archivo PDF</translation>
    </message>
    <message>
        <source>The PDF document to turn into a book</source>
        <translation>El documento PDF que se convertirá en libro</translation>
    </message>
    <message>
        <source>Browse…</source>
        <translation>Examinar…</translation>
    </message>
    <message>
        <source>Choose a PDF file</source>
        <translation>Elegir un archivo PDF</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Abrir</translation>
    </message>
    <message>
        <source>Open the PDF file in its viewer</source>
        <translation>Abrir el archivo PDF en su visor</translation>
    </message>
    <message>
        <source>All pages</source>
        <translation>Todas las páginas</translation>
    </message>
    <message>
        <source>Pages:</source>
        <translation>Páginas:</translation>
    </message>
    <message>
        <source>e.g. 1-5, 8, 11-13</source>
        <translation>p. ej. 1-5, 8, 11-13</translation>
    </message>
    <message>
        <source>Page numbers and ranges separated by commas</source>
        <translation>Números de página y rangos separados por comas</translation>
    </message>
    <message>
        <source>Best (100%)</source>
        <translation>Máxima (100 %)</translation>
    </message>
    <message>
        <source>High (85%)</source>
        <translation>Alta (85 %)</translation>
    </message>
    <message>
        <source>Medium (65%)</source>
        <translation>Media (65 %)</translation>
    </message>
    <message>
        <source>Low (45%)</source>
        <translation>Baja (45 %)</translation>
    </message>
    <message>
        <source>Lowest (25%)</source>
        <translation>Mínima (25 %)</translation>
    </message>
    <message>
        <source>JPEG quality of the page images: lower means smaller files</source>
        <translation>Calidad JPEG de las imágenes de página: menor significa archivos más pequeños</translation>
    </message>
    <message>
        <source>Vector pages (sharp at every zoom)</source>
        <translation>Páginas vectoriales (nítidas con cualquier zoom)</translation>
    </message>
    <message>
        <source>Page images</source>
        <translation>Imágenes de página</translation>
    </message>
    <message>
        <source>Import links</source>
        <translation>Importar enlaces</translation>
    </message>
    <message>
        <source>Keep the document's web and page links clickable in the book</source>
        <translation>Mantener en el libro los enlaces web y de página del documento</translation>
    </message>
    <message>
        <source>Import bookmarks</source>
        <translation>Importar marcadores</translation>
    </message>
    <message>
        <source>Use the document's outline as the book's table of contents</source>
        <translation>Usar el esquema del documento como índice del libro</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Opciones</translation>
    </message>
    <message>
        <source>Quality:</source>
        <translation>Calidad:</translation>
    </message>
    <message>
        <source>Page format:</source>
        <translation>Formato de página:</translation>
    </message>
    <message>
        <source>Extras:</source>
        <translation>Extras:</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Importar</translation>
    </message>
    <message>
        <source>Start importing (the current book is replaced when the import succeeds)</source>
        <translation>Iniciar la importación (el libro actual se sustituye si la importación tiene éxito)</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Stop a running import, or close this dialog</source>
        <translation>Detener una importación en curso o cerrar este diálogo</translation>
    </message>
    <message>
        <source>PDF file:</source>
        <translation>Archivo PDF:</translation>
    </message>
    <message>
        <source>Only for a PDF locked with a password</source>
        <translation>Solo para un PDF protegido con contraseña</translation>
    </message>
    <message>
        <source>The password that opens the PDF; it is used for this import only and never stored</source>
        <translation>La contraseña que abre el PDF; solo se usa para esta importación y nunca se guarda</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Contraseña:</translation>
    </message>
    <message>
        <source>Import text</source>
        <translation>Importar el texto</translation>
    </message>
    <message>
        <source>Keep the pages' words: readers can search, select and hear the text, and search engines find it</source>
        <translation>Conservar las palabras de las páginas: los lectores pueden buscar, seleccionar y escuchar el texto, y los buscadores lo encuentran</translation>
    </message>
</context>
<context>
    <name>ImportWindowDelegate</name>
    <message>
        <source>Import PDF file does not exist.</source>
        <translation>El archivo PDF que se quiere importar no existe.</translation>
    </message>
    <message>
        <source>Import cancelled.</source>
        <translation>Importación cancelada.</translation>
    </message>
    <message>
        <source>The PDF file could not be imported. It may be damaged, protected by a password, or have no pages in the range.</source>
        <translation>No se pudo importar el archivo PDF. Puede que esté dañado, protegido con contraseña o sin páginas en el rango.</translation>
    </message>
    <message>
        <source>Choose a PDF file</source>
        <translation>Elegir un archivo PDF</translation>
    </message>
    <message>
        <source>Importing:%1 of %2 Pages</source>
        <translation>Importando: %1 de %2 páginas</translation>
    </message>
    <message>
        <source>Importing...</source>
        <translation>Importando…</translation>
    </message>
    <message>
        <source>wrong password</source>
        <translation>contraseña incorrecta</translation>
    </message>
    <message>
        <source>The PDF is locked with a password: enter it in the Password field.</source>
        <translation>El PDF está protegido con contraseña: escríbala en el campo Contraseña.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Property</source>
        <translation>Propiedad</translation>
    </message>
    <message>
        <source>Select a property to read what it changes.</source>
        <translation>Seleccione una propiedad para leer qué cambia.</translation>
    </message>
    <message>
        <source>Commands</source>
        <translation>Órdenes</translation>
    </message>
    <message>
        <source>Template</source>
        <translation>Plantilla</translation>
    </message>
    <message>
        <source>Ctrl+T</source>
        <translation>Ctrl+T</translation>
    </message>
    <message>
        <source>Choose the book's template and style (Ctrl+T)</source>
        <translation>Elegir la plantilla y el estilo del libro (Ctrl+T)</translation>
    </message>
    <message>
        <source>Ctrl+Shift+I</source>
        <translation>Ctrl+Shift+I</translation>
    </message>
    <message>
        <source>Load property values from a settings file</source>
        <translation>Cargar los valores de las propiedades desde un archivo de ajustes</translation>
    </message>
    <message>
        <source>Ctrl+Shift+E</source>
        <translation>Ctrl+Shift+E</translation>
    </message>
    <message>
        <source>Save the property values to a settings file</source>
        <translation>Guardar los valores de las propiedades en un archivo de ajustes</translation>
    </message>
    <message>
        <source>Ctrl+E</source>
        <translation>Ctrl+E</translation>
    </message>
    <message>
        <source>Place links, images, video and sound on the pages (Ctrl+E)</source>
        <translation>Colocar enlaces, imágenes, vídeo y sonido en las páginas (Ctrl+E)</translation>
    </message>
    <message>
        <source>Ctrl+P</source>
        <translation>Ctrl+P</translation>
    </message>
    <message>
        <source>Write the book for the web (Ctrl+P)</source>
        <translation>Escribir el libro para la web (Ctrl+P)</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Ayuda</translation>
    </message>
    <message>
        <source>Open the manual (F1)</source>
        <translation>Abrir el manual (F1)</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Aplicar</translation>
    </message>
    <message>
        <source>Ctrl+R</source>
        <translation>Ctrl+R</translation>
    </message>
    <message>
        <source>Show property changes in the preview (Ctrl+R)</source>
        <translation>Mostrar los cambios en la vista previa (Ctrl+R)</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>&amp;Template</source>
        <translation>&amp;Plantilla</translation>
    </message>
    <message>
        <source>&amp;Book</source>
        <translation>&amp;Libro</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>A&amp;yuda</translation>
    </message>
    <message>
        <source>&amp;About Foliant</source>
        <translation>&amp;Acerca de Foliant</translation>
    </message>
    <message>
        <source>About Foliant</source>
        <translation>Acerca de Foliant</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Foliant&lt;/h3&gt;&lt;p&gt;Turns PDF documents into page-turning books for the web.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Foliant&lt;/h3&gt;&lt;p&gt;Convierte documentos PDF en libros hojeables para la web.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Drop a PDF on the window to import it</source>
        <translation>Suelte un PDF sobre la ventana para importarlo</translation>
    </message>
    <message>
        <source>&amp;Import PDF</source>
        <translation>&amp;Importar PDF</translation>
    </message>
    <message>
        <source>Ctrl+I</source>
        <translation>Ctrl+I</translation>
    </message>
    <message>
        <source>Turn a PDF document into the book (Ctrl+I); you can also drop a PDF on the window</source>
        <translation>Convertir un documento PDF en el libro (Ctrl+I); también puede soltar un PDF sobre la ventana</translation>
    </message>
    <message>
        <source>Choose &amp;Template</source>
        <translation>Elegir la &amp;plantilla</translation>
    </message>
    <message>
        <source>&amp;Import Settings</source>
        <translation>I&amp;mportar ajustes</translation>
    </message>
    <message>
        <source>&amp;Export Settings</source>
        <translation>&amp;Exportar ajustes</translation>
    </message>
    <message>
        <source>&amp;Page Editor</source>
        <translation>Editor de &amp;páginas</translation>
    </message>
    <message>
        <source>&amp;Publish</source>
        <translation>&amp;Publicar</translation>
    </message>
    <message>
        <source>&amp;Manual</source>
        <translation>&amp;Manual</translation>
    </message>
    <message>
        <source>&amp;Apply Changes</source>
        <translation>&amp;Aplicar los cambios</translation>
    </message>
    <message>
        <source>&amp;Open Project…</source>
        <translation>A&amp;brir proyecto…</translation>
    </message>
    <message>
        <source>Open a saved book project (Ctrl+O)</source>
        <translation>Abrir un proyecto de libro guardado (Ctrl+O)</translation>
    </message>
    <message>
        <source>&amp;Save Project</source>
        <translation>&amp;Guardar proyecto</translation>
    </message>
    <message>
        <source>Save the book with its pages, links and settings (Ctrl+S)</source>
        <translation>Guardar el libro con sus páginas, enlaces y ajustes (Ctrl+S)</translation>
    </message>
    <message>
        <source>Save Project &amp;As…</source>
        <translation>Guardar proyecto &amp;como…</translation>
    </message>
    <message>
        <source>Save the book as a new project file (Ctrl+Shift+S)</source>
        <translation>Guardar el libro como un nuevo archivo de proyecto (Ctrl+Mayús+S)</translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <translation>Abrir &amp;reciente</translation>
    </message>
    <message>
        <source>No Recent Projects</source>
        <translation>No hay proyectos recientes</translation>
    </message>
</context>
<context>
    <name>OutputWindowDelegate</name>
    <message>
        <source>Choose folder</source>
        <translation>Elegir carpeta</translation>
    </message>
    <message>
        <source>This folder cannot be replaced.</source>
        <translation>Esta carpeta no se puede sustituir.</translation>
    </message>
    <message>
        <source>%1 holds more than a published book. Choose a new or empty folder for the book.</source>
        <translation>%1 contiene algo más que un libro publicado. Elija una carpeta nueva o vacía para el libro.</translation>
    </message>
    <message>
        <source>Output directory already exists. Do you want to over write it?</source>
        <translation>La carpeta de salida ya existe. ¿Desea sobrescribirla?</translation>
    </message>
    <message>
        <source>YES</source>
        <translation>SÍ</translation>
    </message>
    <message>
        <source>NO</source>
        <translation>NO</translation>
    </message>
    <message>
        <source>Choose a folder to publish into.</source>
        <translation>Elija una carpeta donde publicar.</translation>
    </message>
    <message>
        <source>The output folder must be a full path, such as %1.</source>
        <translation>La carpeta de salida debe ser una ruta completa, como %1.</translation>
    </message>
    <message>
        <source>Open the result files?</source>
        <translation>¿Abrir los archivos resultantes?</translation>
    </message>
    <message>
        <source>Publish finished! Open the it?</source>
        <translation>¡Publicación terminada! ¿Abrirla?</translation>
    </message>
    <message>
        <source>Open it</source>
        <translation>Abrirla</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
    <message>
        <source>The book could not be published.</source>
        <translation>No se pudo publicar el libro.</translation>
    </message>
</context>
<context>
    <name>PageEditorWindow</name>
    <message>
        <source>Page Editor</source>
        <translation>Editor de páginas</translation>
    </message>
    <message>
        <source>Leave the Page Editor</source>
        <translation>Salir del editor de páginas</translation>
    </message>
    <message>
        <source>Leave the page editor without saving your changes?</source>
        <translation>¿Salir del editor de páginas sin guardar los cambios?</translation>
    </message>
</context>
<context>
    <name>PageEditorWindowDelegate</name>
    <message>
        <source>Please select image file to open</source>
        <translation>Seleccione el archivo de imagen que desea abrir</translation>
    </message>
    <message>
        <source>Please select swf file to open</source>
        <translation>Seleccione el archivo SWF que desea abrir</translation>
    </message>
    <message>
        <source>Please select the movie file to open</source>
        <translation>Seleccione el archivo de vídeo que desea abrir</translation>
    </message>
    <message>
        <source>Please select mp3 file to open</source>
        <translation>Seleccione el archivo MP3 que desea abrir</translation>
    </message>
    <message>
        <source>Please select images file to open</source>
        <translation>Seleccione los archivos de imagen que desea abrir</translation>
    </message>
</context>
<context>
    <name>PreviewFrame</name>
    <message>
        <source>Book preview</source>
        <translation>Vista previa del libro</translation>
    </message>
    <message>
        <source>Press Enter to use the book with the keyboard, Escape to leave it</source>
        <translation>Pulse Intro para usar el libro con el teclado, Escape para salir</translation>
    </message>
    <message>
        <source>Book preview: press Enter to use it with the keyboard, Escape to leave it</source>
        <translation>Vista previa del libro: pulse Intro para usarla con el teclado, Escape para salir</translation>
    </message>
</context>
<context>
    <name>PublishDialog</name>
    <message>
        <source>Publish Book</source>
        <translation>Publicar el libro</translation>
    </message>
    <message>
        <source>Folder that will hold the book</source>
        <translation>Carpeta que contendrá el libro</translation>
    </message>
    <message>
        <source>The book is written into this folder; an existing folder is replaced after you confirm</source>
        <translation>El libro se escribe en esta carpeta; una carpeta existente se sustituye tras confirmarlo</translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation>Elegir…</translation>
    </message>
    <message>
        <source>Choose the destination folder</source>
        <translation>Elegir la carpeta de destino</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Abrir</translation>
    </message>
    <message>
        <source>Show the destination folder in the file manager</source>
        <translation>Mostrar la carpeta de destino en el gestor de archivos</translation>
    </message>
    <message>
        <source>index</source>
        <translation>index</translation>
    </message>
    <message>
        <source>File name of the book's web page, without ".html"</source>
        <translation>Nombre de archivo de la página web del libro, sin «.html»</translation>
    </message>
    <message>
        <source>Title shown in the browser</source>
        <translation>Título que muestra el navegador</translation>
    </message>
    <message>
        <source>Title of the book's web page</source>
        <translation>Título de la página web del libro</translation>
    </message>
    <message>
        <source>Web book folder</source>
        <translation>Carpeta de libro web</translation>
    </message>
    <message>
        <source>A folder to put on a web site or open from disk</source>
        <translation>Una carpeta para un sitio web o para abrir desde el disco</translation>
    </message>
    <message>
        <source>Mac application</source>
        <translation>Aplicación para Mac</translation>
    </message>
    <message>
        <source>A double-clickable application that carries the book</source>
        <translation>Una aplicación que se abre con doble clic y contiene el libro</translation>
    </message>
    <message>
        <source>Also publish a version for phones</source>
        <translation>Publicar también una versión para teléfonos</translation>
    </message>
    <message>
        <source>Adds an HTML5 edition made from the page images</source>
        <translation>Añade una edición HTML5 hecha con las imágenes de página</translation>
    </message>
    <message>
        <source>Flip (turning pages)</source>
        <translation>Flip (páginas que pasan)</translation>
    </message>
    <message>
        <source>Slide (swiping pages)</source>
        <translation>Slide (páginas que se deslizan)</translation>
    </message>
    <message>
        <source>How the phone version turns its pages</source>
        <translation>Cómo pasa las páginas la versión para teléfonos</translation>
    </message>
    <message>
        <source>Book</source>
        <translation>Libro</translation>
    </message>
    <message>
        <source>Folder:</source>
        <translation>Carpeta:</translation>
    </message>
    <message>
        <source>Page name:</source>
        <translation>Nombre de la página:</translation>
    </message>
    <message>
        <source>Title:</source>
        <translation>Título:</translation>
    </message>
    <message>
        <source>Output:</source>
        <translation>Salida:</translation>
    </message>
    <message>
        <source>Phones:</source>
        <translation>Teléfonos:</translation>
    </message>
    <message>
        <source>Publish</source>
        <translation>Publicar</translation>
    </message>
    <message>
        <source>Write the book into the folder</source>
        <translation>Escribir el libro en la carpeta</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>All files (*)</source>
        <translation>Todos los archivos (*)</translation>
    </message>
    <message>
        <source>Files (%1)</source>
        <translation>Archivos (%1)</translation>
    </message>
    <message>
        <source>Settings files (*.txt);;All files (*)</source>
        <translation>Archivos de ajustes (*.txt);;Todos los archivos (*)</translation>
    </message>
    <message>
        <source>Colour…</source>
        <translation>Color…</translation>
    </message>
    <message>
        <source>…</source>
        <translation>…</translation>
    </message>
    <message>
        <source>Choose a colour</source>
        <translation>Elegir un color</translation>
    </message>
    <message>
        <source>Choose a file</source>
        <translation>Elegir un archivo</translation>
    </message>
    <message>
        <source>Remove the file</source>
        <translation>Quitar el archivo</translation>
    </message>
</context>
<context>
    <name>SelectTemplateWindow</name>
    <message>
        <source>Choose a Template</source>
        <translation>Elegir una plantilla</translation>
    </message>
    <message>
        <source>Installed templates</source>
        <translation>Plantillas instaladas</translation>
    </message>
    <message>
        <source>Styles of the selected template: double-click one to use it</source>
        <translation>Estilos de la plantilla elegida: haga doble clic en uno para usarlo</translation>
    </message>
    <message>
        <source>Styles</source>
        <translation>Estilos</translation>
    </message>
    <message>
        <source>Templates</source>
        <translation>Plantillas</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Actualizar</translation>
    </message>
    <message>
        <source>Look for newly installed templates</source>
        <translation>Buscar plantillas recién instaladas</translation>
    </message>
    <message>
        <source>Use Style</source>
        <translation>Usar el estilo</translation>
    </message>
</context>
</TS>
