// Every text a user can see, each declared once with its key and its German
// default. Read by catalogue.h through the two macros below; no include guard
// on purpose.
//
// ORVALIS_MESSAGE(Key, German): a message; the language file's section
//   "Messages" translates it by Key. An empty translation keeps the German
//   text.
// ORVALIS_MESSAGE_IF_PRESENT(Key, German): a message whose translation is
//   taken whenever the key is present, even when it is empty.
// ORVALIS_CONTROL(Window, Control, Property, German): a text of a window's
//   control; its key is "Window.Control.Property", so the language file's
//   section Window translates it by "Control.Property". "self" names the
//   window itself. A control text is taken whenever its key is present,
//   even when it is empty.

// ---- Messages ----------------------------------------------------------------
ORVALIS_MESSAGE(ConfirmExit, "Programm beenden?")
ORVALIS_MESSAGE(NoResults, "Keine Ergebnisse vorhanden.")
ORVALIS_MESSAGE_IF_PRESENT(NoQueryText, "Kein Abfragetext vorhanden.")
ORVALIS_MESSAGE_IF_PRESENT(QuerySyntaxError, "Syntaxfehler in der Abfrage")
ORVALIS_MESSAGE_IF_PRESENT(SelectParseError, "Kann SELECT-Teil nicht analysieren: ")
ORVALIS_MESSAGE(EmptySelectList, "Empty SELECT list")
ORVALIS_MESSAGE(SelectListOpenString, "Unterminated string in the SELECT list")
ORVALIS_MESSAGE(SelectListOpenParenthesis, "Unbalanced () in the SELECT list")
ORVALIS_MESSAGE_IF_PRESENT(WhereParseError, "Kann WHERE-Teil nicht analysieren: ")
ORVALIS_MESSAGE(EqualityOperatorHint, "(Gleichheit wird mit == geprüft, Ungleichheit mit !=.)")
ORVALIS_MESSAGE(UnknownFieldName, "Unbekannter Feldname: %s")
ORVALIS_MESSAGE(UnknownFunction, "Unbekannte Funktion: %s")
ORVALIS_MESSAGE(MaybeMeant, "; gemeint ist vielleicht %s")
ORVALIS_MESSAGE(MissingOperator, "Zwischen zwei Operanden fehlt ein Operator (vor „%s“).")
ORVALIS_MESSAGE(OpenStringLiteral, "Die Zeichenkette ab Spalte %d wird nicht geschlossen.")
ORVALIS_MESSAGE(SqlIsNullHint,
                "IS NULL und IS NOT NULL gibt es hier nicht: ein fehlendes Feld ist leer, also "
                "isnull(Feld, '') == '' (fehlt) oder isnull(Feld, '') != '' (vorhanden); "
                "hassegment('exif') fragt nach einem Teil der Datei.")
ORVALIS_MESSAGE(SqlLikeHint,
                "LIKE gibt es hier nicht: Feld ~ 'Text' sucht einen Teiltext, "
                "match(Feld, 'Muster') einen regulären Ausdruck.")
ORVALIS_MESSAGE(SqlLimitHint,
                "LIMIT gibt es hier nicht: SELECT TOP n ... liefert die ersten n Treffer.")
ORVALIS_MESSAGE(SqlInHint, "IN (...) gibt es hier nicht: Feld == 'a' or Feld == 'b'.")
ORVALIS_MESSAGE(SqlBetweenHint, "BETWEEN gibt es hier nicht: Feld >= a and Feld <= b.")
ORVALIS_MESSAGE(SqlOrderByHint,
                "ORDER BY gibt es hier nicht: im Fenster sortiert ein Klick auf einen Spaltenkopf, "
                "auf der Befehlszeile die Option --sort N[:desc].")
ORVALIS_MESSAGE(HitLimitReached,
                "Die Abfrage lieferte mehr Treffer als der definierte Grenzwert von %d Treffern.")
ORVALIS_MESSAGE(StatusStopped, "Abbruch")
ORVALIS_MESSAGE(StatusHits, " hits")
ORVALIS_MESSAGE(StatusHitLimit, " (HITLIMIT!)")
ORVALIS_MESSAGE(UnrecoverableError, "Nicht behebbarer Fehler : ")
ORVALIS_MESSAGE(MetadataReadError, "[DEBUG] Exception reading metadata: ")
ORVALIS_MESSAGE(FileLimitReached, "Nur teilweise gelesen, Grenze erreicht: ")
ORVALIS_MESSAGE(QueryTooLong, "Der Abfragetext ist zu lang (mehr als %d Bytes).")
ORVALIS_MESSAGE(
    QuerylistEntriesLeftOut,
    "Abfrageliste %1: Einträge über %3 Bytes werden nicht angezeigt (%2); in der Datei bleiben sie erhalten.")
ORVALIS_MESSAGE(
    MatchLimitReached,
    "match() hat eine Grenze erreicht (%s): wo das geschieht, gilt der Ausdruck als "
    "fehlgeschlagen (kein Treffer, leere Zelle). Diese Meldung erscheint einmal je Abfrage.")
ORVALIS_MESSAGE(
    EvaluationLimitReached,
    "Ein Ausdruck hat eine Grenze erreicht (%s): wo das geschieht, gilt er als "
    "fehlgeschlagen (kein Treffer, leere Zelle). Diese Meldung erscheint einmal je Abfrage.")
ORVALIS_MESSAGE(TextTooLong, "Text zu lang, mehr als 1 MiB")
ORVALIS_MESSAGE(OutOfMemory, "nicht genug Speicher")
ORVALIS_MESSAGE(NoPreviewPicture, "Kein Vorschaubild")
ORVALIS_MESSAGE(InvalidInteger, "'%s' ist kein gültiger Integerwert.")
ORVALIS_MESSAGE(HitLimitNotPositive, "Die maximale Trefferzahl muss größer als 0 sein.")
ORVALIS_MESSAGE(ButtonYes, "Ja")
ORVALIS_MESSAGE(ButtonNo, "Nein")
ORVALIS_MESSAGE(ButtonCancel, "Abbrechen")
ORVALIS_MESSAGE(ExportFinished, "%d Zeilen in %s gespeichert.")
ORVALIS_MESSAGE_IF_PRESENT(OverwriteQuerybuffer, "Eintrag %s besteht bereits. Überschreiben?")
ORVALIS_MESSAGE_IF_PRESENT(QueryTextModified, "Geändert")
ORVALIS_MESSAGE(QueryTextSaved, "Gespeichert")
ORVALIS_MESSAGE(QueryFileOpenFilter, "Query files (*.qry)|*.qry|Alle files (*.*)|*.*")
ORVALIS_MESSAGE(QueryFileSaveFilter, "Query files (*.qry)|*.qry|All files (*.*)|*.*")
ORVALIS_MESSAGE(QuotingDoubleQuotes, "Double existing quotes (Excel-like)")
ORVALIS_MESSAGE(QuotingBackslash, "Backslash quotes (Unix-like)")
ORVALIS_MESSAGE(QuotingOtherQuote, "Other one (' for \", \" for ')")
ORVALIS_MESSAGE(QuotingHex, "Hex quote (e.g. 0x22)")
ORVALIS_MESSAGE(QuotingNone, "Do nothing with quotes")
ORVALIS_MESSAGE(ExportFileFilter, "Alle Dateien (*.*)|*.*")
ORVALIS_MESSAGE(XmlExportFileFilter, "All files (*.*)|*.*|XML files (*.xml)|*.xml")
ORVALIS_MESSAGE(SideTreeInvalidFormat,
                "Die Datei sidetree.ini ist nicht im richtigen Format, Feldliste wird deaktiviert.")
ORVALIS_MESSAGE(SideTreeTooLarge,
                "Die Datei %s ist größer als %d Bytes, Feldliste wird deaktiviert.")
ORVALIS_MESSAGE(SideTreeTooDeep, "Die Datei %s hat mehr als %d Ebenen, Feldliste wird deaktiviert.")
ORVALIS_MESSAGE(SideTreeTooManyLines,
                "Die Datei %s hat mehr als %d Einträge, Feldliste wird deaktiviert.")

// The command line's usage text (orvalis-cli --help).
ORVALIS_MESSAGE(CliUsage,
                "Usage:\n"
                "  orvalis-cli [options] QUERY            run QUERY\n"
                "  orvalis-cli [options] -f FILE          run the query held in a query file\n"
                "  orvalis-cli --explain QUERY            show how QUERY is split and compiled\n"
                "  orvalis-cli --dump [--merged] FILE...  list every metadata entry of each file\n"
                "  orvalis-cli --eval EXPR [FILE]         evaluate one expression\n"
                "  orvalis-cli --help                     show this text\n"
                "\n"
                "Run options:\n"
                "  --format rows|csv|json|xml   output format (default rows)\n"
                "  -o FILE                      write the output to FILE\n"
                "  --limit N | --no-limit       hit limit (default 300)\n"
                "  --null-text TEXT | --no-null-text\n"
                "                               cell text for an empty value (default \"(Null)\")\n"
                "  --double-quote               strings are delimited by \" instead of '\n"
                "  --progress                   show progress on standard error\n"
                "  --paths                      print the full paths of the hits, one per line\n"
                "  --results FILE               the result set for FROM \"#results\", one path\n"
                "                               per line (default: standard input)\n"
                "  -0, --null                   --paths and --results separate paths by NUL\n"
                "                               (as find -print0 and xargs -0)\n"
                "  --jobs N                     files read in parallel (1: one after the other;\n"
                "                               default: chosen for the machine)\n"
                "  --sort N[:desc]              write the hits sorted by column N (a number from\n"
                "                               1 or a header; repeatable; numbers as numbers,\n"
                "                               empty cells last); TOP and the hit limit still\n"
                "                               pick the hits in the order found\n"
                "  /LCID:n                      language of the messages\n"
                "  /debug                       write the help log\n"
                "  --                           the next argument is the query, even when it\n"
                "                               starts with \"-\" (an argument with a blank or a\n"
                "                               line break is always taken as the query)\n")

// ---- Main window -------------------------------------------------------------
ORVALIS_CONTROL(frmMain, self, caption, "Orvalis")
ORVALIS_CONTROL(frmMain, lblQuery, caption, "Abfrage&text:")
ORVALIS_CONTROL(frmMain, lblResult, caption, "Ergebnisse:")
ORVALIS_CONTROL(frmMain, pnlResult, caption, "Abfrage läuft ...")
ORVALIS_CONTROL(frmMain, tbMain, caption, "Symbolleiste")
ORVALIS_CONTROL(frmMain, comboQueries, hint, "Auswahl einer Abfrage zum Bearbeiten")
ORVALIS_CONTROL(frmMain, lblSidebar, caption, "Doppeklicken zum Einfügen")
ORVALIS_CONTROL(frmMain, treeSidebar, hint,
                "Doppelklick oder ENTER fügt Feld an der Cursorposition ein")
ORVALIS_CONTROL(frmMain, mnuFile, caption, "&Datei")
ORVALIS_CONTROL(frmMain, mnuEdit, caption, "&Edit")
ORVALIS_CONTROL(frmMain, mnuQuery, caption, "&Abfrage")
ORVALIS_CONTROL(frmMain, mnuView, caption, "A&nsicht")
ORVALIS_CONTROL(frmMain, mnuExtras, caption, "E&xtras")
ORVALIS_CONTROL(frmMain, mnuHelp, caption, "&Hilfe")
ORVALIS_CONTROL(frmMain, mnuResultActions, caption, "Eigene &Aktionen")
ORVALIS_CONTROL(frmMain, mnuResultActions, hint, "Benutzerdefinierte Aktionen ausführen")
ORVALIS_CONTROL(frmMain, mnuContextResultActions, caption, "Eigene &Aktionen")
ORVALIS_CONTROL(frmMain, mnuContextResultActions, hint, "Benuterdefinierte Aktionen ausführen")

// Commands of the main window (the command table in ui/main_commands.cpp).
ORVALIS_CONTROL(frmMain, actExecQuery, caption, "&Ausführen")
ORVALIS_CONTROL(frmMain, actExecQuery, hint, "Führt die aktuelle Abfrage aus")
ORVALIS_CONTROL(frmMain, actStopQuery, caption, "Stop")
ORVALIS_CONTROL(frmMain, actStopQuery, hint, "Stoppt eine laufende Abfrage")
ORVALIS_CONTROL(frmMain, actShowThumbs, caption, "&Vorschau")
ORVALIS_CONTROL(frmMain, actShowThumbs, hint, "Anzeige der Vorschaubilder")
ORVALIS_CONTROL(frmMain, actShowList, caption, "&Liste")
ORVALIS_CONTROL(frmMain, actShowList, hint, "Anzeige als Liste")
ORVALIS_CONTROL(frmMain, actShowDetail, caption, "&Details")
ORVALIS_CONTROL(frmMain, actShowDetail, hint, "Anzeige aller Spalten")
ORVALIS_CONTROL(frmMain, actCopyResults, caption, "Ergebnis&dateinamen kopieren")
ORVALIS_CONTROL(frmMain, actCopyResults, hint,
                "Kopiert die markierten Dateinamen in die Zwischenablage")
ORVALIS_CONTROL(frmMain, actEditSelectAll, caption, "Alles &markieren")
ORVALIS_CONTROL(frmMain, actEditSelectAll, hint, "Markiert alles")
ORVALIS_CONTROL(frmMain, actEditCut, caption, "&Ausschneiden")
ORVALIS_CONTROL(frmMain, actEditCut, hint, "Ausschneiden in Zwischenablage")
ORVALIS_CONTROL(frmMain, actEditCopy, caption, "&Kopieren")
ORVALIS_CONTROL(frmMain, actEditCopy, hint, "Markierung in Zwischenablage")
ORVALIS_CONTROL(frmMain, actEditPaste, caption, "&Einfügen")
ORVALIS_CONTROL(frmMain, actEditPaste, hint, "Fügt den Inhalt der Zwischenablage ein")
ORVALIS_CONTROL(frmMain, actExitProgram, caption, "Programm &beenden")
ORVALIS_CONTROL(frmMain, actExitProgram, hint, "Beendet das Programm")
ORVALIS_CONTROL(frmMain, actSettings, caption, "&Einstellungen ...")
ORVALIS_CONTROL(frmMain, actSettings, hint, "Programmeinstellungen ändern")
ORVALIS_CONTROL(frmMain, mnuCopyFilename, caption, "In &Zwischenablage")
ORVALIS_CONTROL(frmMain, mnuCopyFilename, hint, "Dateiname in Zwischenablage")
ORVALIS_CONTROL(frmMain, actNewQuery, caption, "&Neue Abfrage")
ORVALIS_CONTROL(frmMain, actNewQuery, hint, "Erzeugt eine neue Abfrage")
ORVALIS_CONTROL(frmMain, actLoadQuery, caption, "Abfrage ö&ffnen")
ORVALIS_CONTROL(frmMain, actLoadQuery, hint, "Öffnet eine gespeicherte Abfrage")
ORVALIS_CONTROL(frmMain, actSaveQuery, caption, "Abfrage &speichern")
ORVALIS_CONTROL(frmMain, actSaveQuery, hint, "Speichert Abfrage in einer Datei")
ORVALIS_CONTROL(frmMain, actPrint, caption, "&Drucken ...")
ORVALIS_CONTROL(frmMain, actPrint, hint, "Druckt die Ergebnisse")
ORVALIS_CONTROL(frmMain, actExport, caption, "&Export ...")
ORVALIS_CONTROL(frmMain, actExport, hint, "Exportieren von Ergebnissen")
ORVALIS_CONTROL(frmMain, actExportXML, caption, "Export &XML ...")
ORVALIS_CONTROL(frmMain, actExportXML, hint, "")
ORVALIS_CONTROL(frmMain, actQueryWizard, caption, "Abfrageass&istent starten")
ORVALIS_CONTROL(frmMain, actQueryWizard, hint, "Hilft bei der Erstellung von Abfragen")
ORVALIS_CONTROL(frmMain, actQuerylistSave, caption, "Abfrage in &Liste")
ORVALIS_CONTROL(frmMain, actQuerylistSave, hint, "Legt Abfrage in der Pufferliste ab")
ORVALIS_CONTROL(frmMain, actQuerylistNext, caption, "Nä&chste Abfrage")
ORVALIS_CONTROL(frmMain, actQuerylistNext, hint, "Liest die nächste Abfrage aus der Liste")
ORVALIS_CONTROL(frmMain, actQuerylistPrev, caption, "&Vorherige Abfrage")
ORVALIS_CONTROL(frmMain, actQuerylistPrev, hint, "Liest die vorherige Abfrage aus der Liste ein")
ORVALIS_CONTROL(frmMain, actFullScreen, caption, "Voll&bildmodus")
ORVALIS_CONTROL(frmMain, actFullScreen, hint, "Schaltet in den Vollbildmodus")
ORVALIS_CONTROL(frmMain, actToggleSidebar, caption, "&Feldliste an/aus")
ORVALIS_CONTROL(frmMain, actToggleSidebar, hint, "Blendet die Feldliste ein und aus")
ORVALIS_CONTROL(frmMain, actFileOperations, caption, "&Dateioperationen")
ORVALIS_CONTROL(frmMain, actFileOperations, hint, "Kopieren, Verschieben und andere Dinge")
ORVALIS_CONTROL(frmMain, actLanguage, caption, "&Sprache ...")
ORVALIS_CONTROL(frmMain, actLanguage, hint, "Wechselt die Programmsprache")
ORVALIS_CONTROL(frmMain, mnuHelpTopics, caption, "&Hilfethemen")
ORVALIS_CONTROL(frmMain, mnuHelpTopics, hint, "Zeigt den Inhalt der Onlinehilfe an")
ORVALIS_CONTROL(frmMain, mnuQuerySyntax, caption, "Abfrage-S&yntax")
ORVALIS_CONTROL(frmMain, mnuQuerySyntax, hint, "Informationen zur Abfragesprache")
ORVALIS_CONTROL(frmMain, actFieldHelp, caption, "Schlüssel&wort-Hilfe")
ORVALIS_CONTROL(frmMain, actFieldHelp, hint, "Hilfe zu den Schlüsselworten")
ORVALIS_CONTROL(frmMain, mnuHomepage, caption, "Orvalis Home&page")
ORVALIS_CONTROL(frmMain, mnuHomepage, hint, "Öffnet die Homepage von Orvalis")
ORVALIS_CONTROL(frmMain, actAbout, caption, "&Info ...")
ORVALIS_CONTROL(frmMain, actAbout, hint, "")
ORVALIS_CONTROL(frmMain, mnuOpen, caption, "Ö&ffnen")
ORVALIS_CONTROL(frmMain, mnuOpen, hint, "Öffnet die Datei mit Standardprogramm")
ORVALIS_CONTROL(frmMain, mnuMetadata, caption, "&Metadaten")
ORVALIS_CONTROL(frmMain, mnuMetadata, hint, "Zeit alle Metadaten dieser Datei an")

// ---- Query buffer box context menu -------------------------------------------
ORVALIS_CONTROL(frmMain, mnuQueryComboDelete, caption, "Aus Liste löschen")
ORVALIS_CONTROL(frmMain, mnuQueryComboDelete, hint, "Abfrage aus Puffer löschen")
ORVALIS_CONTROL(frmMain, mnuQueryComboSave, caption, "In Datei speichern")
ORVALIS_CONTROL(frmMain, mnuQueryComboSave, hint, "Abfrage in Datei speichern")

// ---- Text export dialog -------------------------------------------------------
ORVALIS_CONTROL(frmExport, self, caption, "Exportoptionen")
ORVALIS_CONTROL(frmExport, lblFilename, caption, "Dateiname:")
ORVALIS_CONTROL(frmExport, lblDelim, caption, "Spaltentrenner:")
ORVALIS_CONTROL(frmExport, lblQuoting, caption, "String quoting:")
ORVALIS_CONTROL(frmExport, grpHeaderFooter, caption, " Kopf- und Fusstext ")
ORVALIS_CONTROL(frmExport, lblFileHeader, caption, "Dateivorspanntext")
ORVALIS_CONTROL(frmExport, lblFileFooter, caption, "Dateinachspanntext")
ORVALIS_CONTROL(frmExport, grpLine, caption, "Zeilenbegrenzung ")
ORVALIS_CONTROL(frmExport, lblLineBefore, caption, "Text vor einer Zeile:")
ORVALIS_CONTROL(frmExport, lblLineAfter, caption, "Text nach einer Zeile:")
ORVALIS_CONTROL(frmExport, grpColumn, caption, " Spaltenbegrenzung  ")
ORVALIS_CONTROL(frmExport, lblColBefore, caption, "Text vor einer Spalte:")
ORVALIS_CONTROL(frmExport, lblColAfter, caption, "Text nach einer Spalte:")
ORVALIS_CONTROL(frmExport, dlgSave, caption, "Exportdatei auswählen")
ORVALIS_CONTROL(frmExport, btnOK, caption, "OK")
ORVALIS_CONTROL(frmExport, btnCancel, caption, "Abbruch")

// ---- XML export dialog --------------------------------------------------------
ORVALIS_CONTROL(frmExportXML, self, caption, "XML-Export")
ORVALIS_CONTROL(frmExportXML, lblFilename, caption, "Dateiname:")
ORVALIS_CONTROL(frmExportXML, lblRootElement, caption, "Root-Element:")
ORVALIS_CONTROL(frmExportXML, lblRootNote, caption, "(ohne spitze Klammern!!)")
ORVALIS_CONTROL(frmExportXML, grpTags, caption, "Tags exportieren ")
ORVALIS_CONTROL(frmExportXML, rbTagsAsText, caption, "als Text")
ORVALIS_CONTROL(frmExportXML, rbTagsAsNumber, caption, "als Nummer")
ORVALIS_CONTROL(frmExportXML, dlgSave, caption, "Exportdatei auswählen")
ORVALIS_CONTROL(frmExportXML, btnOK, caption, "OK")
ORVALIS_CONTROL(frmExportXML, btnCancel, caption, "Abbruch")

// ---- Query buffer dialog ------------------------------------------------------
ORVALIS_CONTROL(frmQuerylist, self, caption, "Abfragen im Puffer speichern")
ORVALIS_CONTROL(frmQuerylist, lblName, caption, "Abfragename:")
ORVALIS_CONTROL(frmQuerylist, chkTimestamp, caption, "Zeitstempel erzeugen")
ORVALIS_CONTROL(frmQuerylist, btnOK, caption, "OK")
ORVALIS_CONTROL(frmQuerylist, btnCancel, caption, "Abbrechen")

// ---- Settings dialog ---------------------------------------------------------
ORVALIS_CONTROL(frmSettings, self, caption, "Programmeinstellungen")
ORVALIS_CONTROL(frmSettings, tsDisplay, caption, "Anzeige")
ORVALIS_CONTROL(frmSettings, tsOptions, caption, "Optionen")
ORVALIS_CONTROL(frmSettings, tsViewer, caption, "Ergebnisanzeige")
ORVALIS_CONTROL(frmSettings, lblThumbCaption, caption, "Thumbnail caption:")
ORVALIS_CONTROL(frmSettings, lblThumbCaptionRule, caption, "Immer die erste Spalte nach SELECT")
ORVALIS_CONTROL(frmSettings, lblThumbSize, caption, "Vorschaugrösse:")
ORVALIS_CONTROL(frmSettings, lblPixel, caption, "pixel")
ORVALIS_CONTROL(frmSettings, lblQueryFont, caption, "Schriftart Abfrage")
ORVALIS_CONTROL(frmSettings, btnQueryFont, caption, "Einstellen ...")
ORVALIS_CONTROL(frmSettings, lblResultFont, caption, "Schriftart Ergebnis:")
ORVALIS_CONTROL(frmSettings, btnResultFont, caption, "Einstellen ...")
ORVALIS_CONTROL(frmSettings, chkSaveSettings, caption,
                "Einstellungen in der Registrierung speichern")
ORVALIS_CONTROL(frmSettings, chkGeneratePreview, caption,
                "Vorschau erzeugen, wenn kein EXIF-Vorschaubild (LANGSAM!!)")
ORVALIS_CONTROL(frmSettings, chkUseNullText, caption, "Ersatztext für Nullwerte ist")
ORVALIS_CONTROL(frmSettings, chkDontAskOnExit, caption, "Kein Nachfragen beim Beenden")
ORVALIS_CONTROL(frmSettings, chkEnforceRefinement, caption, "Maximale Treffer pro Abfrage")
ORVALIS_CONTROL(frmSettings, chkStrDelimDoubleQuote, caption,
                "Doppelte Anführungszeichen als Stringbegrenzer")
ORVALIS_CONTROL(frmSettings, chkRunWizard, caption, "Abfrageassistent beim Start anzeigen")
ORVALIS_CONTROL(frmSettings, rbViewerWindows, caption, "Windows-Standardverknüpfung")
ORVALIS_CONTROL(frmSettings, rbViewerInternal, caption, "Interne Bildanzeige verwenden")
ORVALIS_CONTROL(frmSettings, rbViewerUser, caption, "Externes Programm verwenden")
ORVALIS_CONTROL(frmSettings, lblViewerAppname, caption, "Dateiname:")
ORVALIS_CONTROL(frmSettings, lblViewerParams, caption, "Parameter:")
ORVALIS_CONTROL(frmSettings, btnOK, caption, "OK")
ORVALIS_CONTROL(frmSettings, btnCancel, caption, "Abbrechen")
ORVALIS_CONTROL(frmSettings, btnHelp, caption, "Hilfe")

// ---- Acting on results: file operations, viewer, metadata window, own actions ----
ORVALIS_MESSAGE_IF_PRESENT(OverwriteFilePrompt, "Datei %s ist vorhanden. Überschreiben?")
ORVALIS_MESSAGE_IF_PRESENT(DeleteFilePrompt, "Datei %s löschen?")
ORVALIS_MESSAGE_IF_PRESENT(NoFilenameEntered, "Kein Dateiname angegeben!")
ORVALIS_MESSAGE_IF_PRESENT(NoCommandEntered, "Kein Kommando angegeben!")
ORVALIS_MESSAGE_IF_PRESENT(ExecCommandPrompt, "Befehl %s ausführen?")
ORVALIS_MESSAGE_IF_PRESENT(SelectFolder, "Bitte Zielordner auswählen")
ORVALIS_MESSAGE_IF_PRESENT(PathNotFound, "Angegebener Ordner %s existiert nicht!")
ORVALIS_MESSAGE_IF_PRESENT(FileOpError, "Fehler beim Verarbeiten von %s")
ORVALIS_MESSAGE(ButtonYesToAll, "Ja, alle")
ORVALIS_MESSAGE(ButtonNoToAll, "Nein, alle")
ORVALIS_MESSAGE(NoFilesSelected, "Keine Dateien ausgewählt.")
ORVALIS_MESSAGE(ActionLoadError, "Konnte Benutzeraktionen nicht laden: ")
ORVALIS_MESSAGE(NotARegularFile, "%s ist keine gewöhnliche Datei; sie wird nicht überschrieben.")
ORVALIS_MESSAGE(FileWriteFailed, "Kann Datei %s nicht schreiben: ")
ORVALIS_MESSAGE(FileReadFailed, "Kann Datei %s nicht lesen: ")
ORVALIS_MESSAGE(ExportStoppedAt, "Export nach %1 endete bei %2: ")
ORVALIS_MESSAGE(PictureNotShown, "Kann Bild %s nicht anzeigen: ")
ORVALIS_MESSAGE(ShellOpenWarning, "Function ShellExecute(%1)\rReturned: %2")
ORVALIS_MESSAGE(ShellErrorDefault, "Fehler bei der Ausführung von\r\n")
ORVALIS_MESSAGE(ShellError, "")
ORVALIS_CONTROL(frmFileOps, self, caption, "Dateioperationen")
ORVALIS_CONTROL(frmFileOps, edtCommand, hint, "$filename steht für die Datei")
ORVALIS_CONTROL(frmFileOps, rbRecycleBin, caption, "Papierkorb")
ORVALIS_CONTROL(frmFileOps, rbDeletePermanently, caption, "Dauerhaft löschen")
ORVALIS_CONTROL(frmFileOps, btnCopy, caption, "Kopieren nach")
ORVALIS_CONTROL(frmFileOps, btnMove, caption, "Verschieben nach")
ORVALIS_CONTROL(frmFileOps, btnDelete, caption, "Löschen")
ORVALIS_CONTROL(frmFileOps, btnCopyThumbs, caption, "Vorschau kopieren")
ORVALIS_CONTROL(frmFileOps, btnOpenFolder, caption, "Ordner öffnen")
ORVALIS_CONTROL(frmFileOps, btnSaveNames, caption, "Namen speichern in")
ORVALIS_CONTROL(frmFileOps, btnRunCommand, caption, "Befehl ausführen")
ORVALIS_CONTROL(frmFileOps, grpOptions, caption, " Optionen ")
ORVALIS_CONTROL(frmFileOps, chkConfirm, caption,
                "Immer nachfragen bei Dateioperationen (Vorsicht beim Abschalten!)")
ORVALIS_CONTROL(frmFileOps, btnOK, caption, "OK")
ORVALIS_CONTROL(frmFileOps, btnCancel, caption, "Abbrechen")
ORVALIS_CONTROL(frmFileOps, btnHelp, caption, "Hilfe")
ORVALIS_CONTROL(frmFullScreen, mnuScreen, caption, "Vollbild")
ORVALIS_CONTROL(frmFullScreen, mnuLeave, caption, "Verlassen")
ORVALIS_CONTROL(frmFullScreen, mnuPicture, caption, "Bild")
ORVALIS_CONTROL(frmFullScreen, mnuNext, caption, "Nächstes")
ORVALIS_CONTROL(frmFullScreen, mnuPrevious, caption, "Vorheriges")
ORVALIS_CONTROL(frmMetaInfo, self, caption, "Metadaten-Informationen")
ORVALIS_CONTROL(frmMetaInfo, lblTitle, caption, "Vorhandene Metadaten:")
ORVALIS_CONTROL(frmMetaInfo, btnOK, caption, "OK")
ORVALIS_MESSAGE(MetaInfoFor, "Metadaten-Information für ")
ORVALIS_CONTROL(frmAddAction, self, caption, "Benutzeraktion hinzufügen")
ORVALIS_CONTROL(frmAddAction, edtMenu, hint, "Eintrag im Menü")
ORVALIS_CONTROL(frmAddAction, edtProgram, hint, "Pfadname der Programmdatei")
ORVALIS_CONTROL(frmAddAction, btnBrowse, hint, "Hier klicken für Programmauswahl")
ORVALIS_MESSAGE(SelectProgram, "Programm auswählen")
ORVALIS_CONTROL(frmAddAction, edtParams, hint, "Kommandoparameter")
ORVALIS_CONTROL(frmAddAction, edtShortcut, hint, "Drücken Sie die Tastenkombination")
ORVALIS_CONTROL(frmAddAction, lblMenu, caption, "Menütext:")
ORVALIS_CONTROL(frmAddAction, lblProgram, caption, "Programm:")
ORVALIS_CONTROL(frmAddAction, lblParams, caption, "Parameter:")
ORVALIS_CONTROL(frmAddAction, lblShortcut, caption, "Shortcut:")
ORVALIS_CONTROL(frmAddAction, lblShortcutHint, caption, "(sollte mit Strg oder Alt beginnen)")
ORVALIS_CONTROL(frmAddAction, btnOK, caption, "OK")
ORVALIS_CONTROL(frmAddAction, btnCancel, caption, "Abbrechen")
ORVALIS_CONTROL(frmAddAction, btnHelp, caption, "Hilfe")
ORVALIS_MESSAGE(ActionCheckFailed,
                "Die Programmdatei muss existieren\r\nund ein Menütext muss eingegeben sein")
ORVALIS_CONTROL(frmSettings, btnActionAdd, caption, "Hinzufügen")
ORVALIS_CONTROL(frmSettings, btnActionChange, caption, "Ändern")
ORVALIS_CONTROL(frmSettings, btnActionDelete, caption, "Löschen")
ORVALIS_CONTROL(frmSettings, lblActions, caption, "Definierte Aktionen:")
ORVALIS_CONTROL(frmSettings, colActionName, caption, "Name")
ORVALIS_CONTROL(frmSettings, colActionShortcut, caption, "Shortcut")
ORVALIS_CONTROL(frmSettings, colActionProgram, caption, "Programm")
ORVALIS_CONTROL(frmSettings, colActionParams, caption, "Parameter")
ORVALIS_CONTROL(frmSettings, tsActions, caption, "Aktionen")
ORVALIS_CONTROL(frmSettings, chkTurnByOrientation, caption,
                "Fotos nach ihrer EXIF-Ausrichtung drehen")

// ---- Query wizard -------------------------------------------------------------
ORVALIS_MESSAGE(FinishWizard, "Fertigstellen")
ORVALIS_MESSAGE(TooManyColumnsSelected, "Maximal %d Spalten erlaubt.")
ORVALIS_MESSAGE(SelectStartingPath, "Select starting path")
ORVALIS_CONTROL(frmWizard, self, caption, "Abfrage-Assistent")
ORVALIS_CONTROL(frmWizard, btnBack, caption, "< Zurück")
ORVALIS_CONTROL(frmWizard, btnNext, caption, "Vorwärts >")
ORVALIS_CONTROL(frmWizard, btnCancel, caption, "Abbrechen")
ORVALIS_CONTROL(frmWizard, btnHelp, caption, "Hilfe")
ORVALIS_CONTROL(frWelcome, self, title, "Willkommen")
ORVALIS_CONTROL(frWelcome, self, description,
                "Dieser Assistent hilft Ihnen beim Erstellen einer Abfrage.")
ORVALIS_CONTROL(frWelcome, memoWelcome, caption,
                "Dieser Assistent hilft Ihnen,\r\neine Abfrage zu erstellen:\r\n\r\n"
                "- Festlegen der Dateisuchmaske\r\n- Definition der anzuzeigenden Felder\r\n"
                "- Optional Definition eines Filters\r\n- Erzeugen des Abfragetextes\r\n\r\n"
                "Nachdem die Abfrage erzeugt wurde,\r\nkönnen Sie diese noch verändern.\r\n"
                "Ausgeführt wird die Abfrage mit der\r\nKombination [Strg][E] oder über die\r\n"
                "Menüoptionen.")
ORVALIS_CONTROL(frSelectFiles, self, title, "Auswahl der Dateien")
ORVALIS_CONTROL(frSelectFiles, self, description,
                "Bitte wählen Sie die Dateien aus, die durchsucht werden sollen.")
ORVALIS_CONTROL(frSelectFiles, lblFileMask, caption, "Dateimaske:")
ORVALIS_CONTROL(frSelectFiles, btnBrowse, hint, "Ordnerauswahl")
ORVALIS_CONTROL(frSelectFiles, btnMasks, hint, "Häufige Dateimasken (* liest jede Art von Foto)")
ORVALIS_CONTROL(frSelectFiles, chkSubdirs, caption,
                "Unterordner ebenfalls durchsuchen (WITH subdirs)")
ORVALIS_CONTROL(frSelectFiles, lblSubdirs, caption,
                "Wenn Sie diese Option aktivieren, wird ausgehend vom\r Startordner der gesamte "
                "Verzeichnisbaum durchsucht.")
ORVALIS_CONTROL(frSelectFields, self, title, "Auswahl der Felder")
ORVALIS_CONTROL(frSelectFields, self, description,
                "Bitte wählen Sie die Felder aus, die im Ergebnis enthalten sein sollen.")
ORVALIS_CONTROL(frSelectFields, lblFields, caption,
                "Felder, die in der Ergebnisliste enthalten sein sollen:")
ORVALIS_CONTROL(frSelectFields, btnAdd, caption, ">")
ORVALIS_CONTROL(frSelectFields, btnAdd, hint, "Feld hinzufügen")
ORVALIS_CONTROL(frSelectFields, btnAddExif, caption, "EXIF >")
ORVALIS_CONTROL(frSelectFields, btnAddExif, hint, "Alle EXIF-Felder hinzufügen")
ORVALIS_CONTROL(frSelectFields, btnAddIptc, caption, "IPTC >")
ORVALIS_CONTROL(frSelectFields, btnAddIptc, hint, "Alle IPTC-Felder hinzufügen")
ORVALIS_CONTROL(frSelectFields, btnAddFile, caption, "FILE >")
ORVALIS_CONTROL(frSelectFields, btnAddFile, hint, "Alle Dateifelder hinzufügen")
ORVALIS_CONTROL(frSelectFields, btnRemove, caption, "<")
ORVALIS_CONTROL(frSelectFields, btnRemove, hint, "Feld entfernen")
ORVALIS_CONTROL(frSelectFields, btnRemoveAll, caption, "<<")
ORVALIS_CONTROL(frSelectFields, btnRemoveAll, hint, "Alle Felder entfernen")
ORVALIS_CONTROL(frSelectFields, btnUp, hint, "Feld nach oben verschieben")
ORVALIS_CONTROL(frSelectFields, btnDown, hint, "Feld nach unten verschieben")
ORVALIS_CONTROL(frSelectWhere, self, title, "Filterbedingung setzen")
ORVALIS_CONTROL(frSelectWhere, self, description,
                "Hier können Sie eine Filterbedingung definieren, die erfüllt werden muss.")
ORVALIS_CONTROL(frSelectWhere, lblConditions, caption, "Liste der Bedingungen:")
ORVALIS_CONTROL(frSelectWhere, lblLeft, caption, "Feld auswählen")
ORVALIS_CONTROL(frSelectWhere, lblOperator, caption, "Operator")
ORVALIS_CONTROL(frSelectWhere, lblRight, caption, "Wert auswählen")
ORVALIS_CONTROL(frSelectWhere, btnAnd, caption, "AND")
ORVALIS_CONTROL(frSelectWhere, btnOr, caption, "OR")
ORVALIS_CONTROL(frSelectWhere, btnDelete, caption, "Löschen")
ORVALIS_CONTROL(frSelectWhere, btnClear, caption, "Liste leeren")

// ---- About box and help window -------------------------------------------------
ORVALIS_CONTROL(AboutBox, self, caption, "Info")
ORVALIS_CONTROL(AboutBox, lblComments, caption, "Findet JPEG-Fotos anhand ihrer Metadaten.")
ORVALIS_CONTROL(AboutBox, btnOK, caption, "OK")
ORVALIS_CONTROL(frmHelp, self, caption, "Orvalis-Hilfe")
ORVALIS_CONTROL(frmHelp, btnContents, caption, "&Inhalt")
ORVALIS_CONTROL(frmHelp, btnBack, caption, "&Zurück")
ORVALIS_CONTROL(frmHelp, btnForward, caption, "&Vorwärts")
ORVALIS_CONTROL(frmHelp, btnSearch, caption, "&Suchen")
ORVALIS_CONTROL(frmHelp, edtSearch, hint, "Text in allen Hilfeseiten suchen")
ORVALIS_MESSAGE(HelpTextNotFound, "Nicht gefunden.")

// ---- Printing -----------------------------------------------------------------
ORVALIS_MESSAGE(TextOfQuery, "Text der Abfrage:")
ORVALIS_MESSAGE_IF_PRESENT(PageFooter, "Seite Nr. %d")
// The footer of the first page is printed as declared here, in every language.
ORVALIS_MESSAGE(PrintTitle, "Orvalis Ergebnisliste")
ORVALIS_MESSAGE(PrintToPdfFile, "PDF-Datei")
ORVALIS_MESSAGE(PdfFileFilter, "PDF-Dateien (*.pdf)|*.pdf|Alle Dateien (*.*)|*.*")
ORVALIS_CONTROL(frmPrintMain, self, caption, "Drucken")
ORVALIS_CONTROL(frmPrintMain, lblPrinter, caption, "&Drucker auswählen:")
ORVALIS_CONTROL(frmPrintMain, btnSetup, caption, "&Einrichten ...")
ORVALIS_CONTROL(frmPrintMain, dlgPdfFile, caption, "Drucken in PDF-Datei")
ORVALIS_CONTROL(frmPrintMain, grpMargins, caption, " Ränder ")
ORVALIS_CONTROL(frmPrintMain, lblLeft, caption, "&Links:")
ORVALIS_CONTROL(frmPrintMain, lblRight, caption, "&Rechts:")
ORVALIS_CONTROL(frmPrintMain, lblTop, caption, "&Oben:")
ORVALIS_CONTROL(frmPrintMain, lblBottom, caption, "&Unten:")
ORVALIS_CONTROL(frmPrintMain, lblLeftUnit, caption, "mm")
ORVALIS_CONTROL(frmPrintMain, lblRightUnit, caption, "mm")
ORVALIS_CONTROL(frmPrintMain, lblTopUnit, caption, "mm")
ORVALIS_CONTROL(frmPrintMain, lblBottomUnit, caption, "mm")
ORVALIS_CONTROL(frmPrintMain, grpOptions, caption, " Druckoptionen ")
ORVALIS_CONTROL(frmPrintMain, btnFont, caption, "&Schriftart")
ORVALIS_CONTROL(frmPrintMain, pnlDemo, caption, "Demotext")
ORVALIS_CONTROL(frmPrintMain, chkNameOnly, caption, "&Nur Dateinamen ohne Pfad")
ORVALIS_CONTROL(frmPrintMain, chkThumbnails, caption, "&Vorschaubilder drucken")
ORVALIS_CONTROL(frmPrintMain, lblColumns, caption, "S&palten pro Zeile")
ORVALIS_CONTROL(frmPrintMain, btnOK, caption, "OK")
ORVALIS_CONTROL(frmPrintMain, btnCancel, caption, "Abbrechen")
ORVALIS_CONTROL(frmPrintMain, btnHelp, caption, "&Hilfe")
ORVALIS_CONTROL(frmPrinting, self, caption, "Es wird gedruckt ...")
ORVALIS_CONTROL(frmPrinting, pnlPrinting, caption, "Es wird gedruckt ...")
ORVALIS_CONTROL(frmPrinting, btnCancel, caption, "Abbrechen")

// ---- Language dialog ----------------------------------------------------------
ORVALIS_CONTROL(frmSelectLang, self, caption, "Sprache wählen")
ORVALIS_CONTROL(frmSelectLang, lblSelect, caption, "Bitte Sprache auswählen:")
ORVALIS_CONTROL(frmSelectLang, btnOK, caption, "OK")
ORVALIS_CONTROL(frmSelectLang, btnCancel, caption, "Abbrechen")
