// TX-Tool's own texts (Windows-1252) shown by its forms and its data module.
#pragma once

namespace txtool {

inline constexpr const char* kAppTitle = "Tastomatik - Tool";
inline constexpr const char* kHelpFile = "Txl31.hlp";
inline constexpr int kHelpContents = 100;

// Configuration file.
inline constexpr const char* kCfgSection = "Schnittstelle_RS232";
inline constexpr const char* kCfgPort = "ComMummer";
inline constexpr const char* kCfgBaud = "Baudrate";

// Start form.
inline constexpr const char* kTextConfigError = "Fehler in der Konfigurationsdatei !";
inline constexpr const char* kTextPortMissingTail = " ist nicht verf\xFC" "gbar !";
inline constexpr const char* kTextWaiting = "Warte auf Tastomatik ...";
inline constexpr const char* kTextFound = "Tastomatik gefunden. Bitte warten  ...";
inline constexpr const char* kTextBuildingList = "Die Datensatzliste wird aufgebaut  ...";
inline constexpr const char* kCaptionClose = "&Schlie\xDF" "en";
inline constexpr const char* kCaptionCancelWait = "&Abbrechen";

// Data-set list.
inline constexpr const char* kTextOk = "ok";
inline constexpr const char* kTextFromDrive = "Umrichter";
inline constexpr const char* kTextFromPc = "PC";
inline constexpr const char* kTextYes = "ja";
inline constexpr const char* kTextNo = "nein";
inline constexpr const char* kTextInvalid = "ung\xFC" "ltig";
inline constexpr const char* kTextBytes = " Bytes";

// Saving a data set as a file.
inline constexpr const char* kTextConverting = "Konvertierung ...";
inline constexpr const char* kTextInitFailed = "Datensatz Initialisierungsfehler";
inline constexpr const char* kTextConvertQuestion =
    "Bei der Konvertierung ist ein Fehler aufgetreten, \nsoll der Vorgang fortgesetzt werden ?";
inline constexpr const char* kTitleConvertError = "Konvertierungsfehler";
inline constexpr const char* kTextConvertFailed = "Bei der Konvertierung sind Fehler aufgetreten !";
inline constexpr const char* kTextWritingFile = "Datei schreiben ...";
inline constexpr const char* kTextSaveFailed = "Bei Speichern der Datei ist ein Fehler aufgetreten ! ";

// Loading a file into a data set.
inline constexpr const char* kTextReadingFile = "Datei lesen ...";
inline constexpr const char* kTextReverseDocQuestion =
    "Die Datei enth\xE4lt R\xFC" "ckdokumentationsdaten.\n\n\rBeim Schreiben dieser Daten werden die "
    "Scope-Aufnahme\n\rsowie die Daten der Gruppen E(Anzeigen), R(Fertigungsdaten),\n\rS(St\xF6rungsspeicher) "
    "und Z(St\xF6rungsz\xE4hler) nicht mitgeschrieben.\n\r\nDen Vorgang trotzdem fortsetzen ?";
inline constexpr const char* kTextFileDamaged = "Die ZPR-Datei ist fehlerhaft \nder Vorgang wird abgebrochen ! ";
inline constexpr const char* kTextTooLarge = "Der Datensatz ist zu gro\xDF f\xFCr die Tastomatik !";

// Main form.
inline constexpr const char* kZprFilter = "ZPR-Dateien|*.ZPR";
inline constexpr const char* kCaptionSave = "... als ZPR-Datei &speichern";
inline constexpr const char* kCaptionLoad = "... aus ZPR-Datei laden";
inline constexpr const char* kCaptionProtectOn = "Schreibschutz &aktivieren";
inline constexpr const char* kCaptionProtectOff = "Schreibschutz &deaktivieren";
inline constexpr const char* kCaptionClear = "Inhalt l\xF6schen";
inline constexpr const char* kCaptionChangeUnit = "Tastomatik &wechseln";
inline constexpr const char* kCaptionUnitInfo = "Tastomatik-&Info ...";
inline constexpr const char* kTextOverwrite = "Datensatz \xFC" "berschreiben ?";
inline constexpr const char* kTextClearQuestion = "Datensatz-Inhalt wirklich l\xF6schen ?";
inline constexpr const char* kTextChangeQuestion = "Tastomatik wechseln ?";
inline constexpr const char* kTitleChange = "TX-Tool";
inline constexpr const char* kTextInactive = "inaktiv ...";
inline constexpr const char* kTextConnectNew =
    "Schlie\xDF" "en Sie die neue Tastomatik an \nund dr\xFC" "cken Sie dann 'Ok' !";
inline constexpr const char* kTextPleaseWait = "Bitte Warten ...";

}  // namespace txtool
