<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>QObject</name>
    <message>
        <location filename="../app/ostrel/main.cpp" line="+40"/>
        <source>The NB-4410 plug-in could not be loaded:
%1</source>
        <translation>Das NB-4410-Plug-in konnte nicht geladen werden:
%1</translation>
    </message>
</context>
<context>
    <name>ostrel::DeviceHistoryView</name>
    <message>
        <location filename="../app/ostrel/DeviceHistoryView.cpp" line="+53"/>
        <source>Device history</source>
        <translation>Gerätehistorie</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Started</source>
        <translation>Begonnen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Verdict</source>
        <translation>Urteil</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Sequence</source>
        <translation>Sequenz</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Technician</source>
        <translation>Techniker</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Instruments</source>
        <translation>Messgeräte</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Show</source>
        <translation>Anzeigen</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Serial number:</source>
        <translation>Seriennummer:</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Trend of:</source>
        <translation>Verlauf von:</translation>
    </message>
    <message numerus="yes">
        <location line="+19"/>
        <source>%n run(s)</source>
        <translation>
            <numerusform>%n Durchlauf</numerusform>
            <numerusform>%n Durchläufe</numerusform>
        </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The results database cannot be read: %1</source>
        <translation>Die Ergebnisdatenbank kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>(not ended)</source>
        <translation>(nicht beendet)</translation>
    </message>
    <message>
        <location line="+65"/>
        <source>Measured</source>
        <translation>Gemessen</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Tested</source>
        <translation>Geprüft</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Limits</source>
        <translation>Grenzwerte</translation>
    </message>
</context>
<context>
    <name>ostrel::ElementPanel</name>
    <message>
        <location filename="../app/ostrel/ElementPanel.cpp" line="+41"/>
        <location line="+121"/>
        <source>Select an element of the sequence.</source>
        <translation>Wählen Sie ein Element des Ablaufs.</translation>
    </message>
    <message>
        <location line="-119"/>
        <source>Configuration</source>
        <translation>Konfiguration</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Add standard to limits</source>
        <translation>Norm zu den Grenzwerten hinzufügen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Library:</source>
        <translation>Bibliothek:</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>This element has no limits.</source>
        <translation>Dieses Element hat keine Grenzwerte.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Limits</source>
        <translation>Grenzwerte</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Comment:</source>
        <translation>Kommentar:</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Result</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <location line="+59"/>
        <source>This element has no configuration editor.</source>
        <translation>Dieses Element hat keinen Konfigurationseditor.</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>The configuration editor failed: %1</source>
        <translation>Der Konfigurationseditor ist fehlgeschlagen: %1</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>The limits editor failed: %1</source>
        <translation>Der Grenzwerteditor ist fehlgeschlagen: %1</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>The standard could not be added: %1</source>
        <translation>Die Norm konnte nicht hinzugefügt werden: %1</translation>
    </message>
    <message>
        <location line="+20"/>
        <location line="+54"/>
        <source>The element has not been run yet.</source>
        <translation>Das Element wurde noch nicht ausgeführt.</translation>
    </message>
    <message>
        <location line="-35"/>
        <source>Status: %1</source>
        <translation>Status: %1</translation>
    </message>
    <message>
        <location line="+34"/>
        <source>What the technician noticed while testing this element.</source>
        <translation>Was dem Techniker bei der Prüfung dieses Elements aufgefallen ist.</translation>
    </message>
</context>
<context>
    <name>ostrel::InstrumentLinkDialog</name>
    <message>
        <location filename="../app/ostrel/InstrumentLinkDialog.cpp" line="+23"/>
        <source>Instrument link</source>
        <translation>Geräteverbindung</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Port</source>
        <translation>Anschluss</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Manufacturer</source>
        <translation>Hersteller</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Serial number</source>
        <translation>Seriennummer</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Configured port:</source>
        <translation>Eingestellter Anschluss:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Instrument:</source>
        <translation>Messgerät:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Link counters:</source>
        <translation>Verbindungszähler:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Refresh</source>
        <translation>&amp;Aktualisieren</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>none</source>
        <translation>keiner</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>not seen yet</source>
        <translation>noch nicht gesehen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1, serial number %2, firmware %3</source>
        <translation>%1, Seriennummer %2, Firmware %3</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>frames sent %1, received %2, bad checksum or broken %3, discarded %4, resends %5</source>
        <translation>Rahmen gesendet %1, empfangen %2, Prüfsumme falsch oder beschädigt %3, verworfen %4, wiederholt %5</translation>
    </message>
</context>
<context>
    <name>ostrel::MainWindow</name>
    <message>
        <location filename="../app/ostrel/MainWindow.cpp" line="+71"/>
        <source>Catalogue</source>
        <translation>Katalog</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Add to sequence</source>
        <translation>Zum Ablauf hinzufügen</translation>
    </message>
    <message>
        <location line="+30"/>
        <source>Standards: %1</source>
        <translation>Normen: %1</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>The results database setting is not usable: %1</source>
        <translation>Die Einstellung der Ergebnisdatenbank ist nicht verwendbar: %1</translation>
    </message>
    <message numerus="yes">
        <location line="+8"/>
        <source>%n result(s) wait in the outbox for %1: %2</source>
        <translation>
            <numerusform>%n Ergebnis wartet im Ausgang auf %1: %2</numerusform>
            <numerusform>%n Ergebnisse warten im Ausgang auf %1: %2</numerusform>
        </translation>
    </message>
    <message>
        <location line="+9"/>
        <source>no results database is set up</source>
        <translation>keine Ergebnisdatenbank eingerichtet</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>Sequence title:</source>
        <translation>Titel des Ablaufs:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Device serial number:</source>
        <translation>Seriennummer des Geräts:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Device model:</source>
        <translation>Gerätemodell:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Location:</source>
        <translation>Standort:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Technician:</source>
        <translation>Techniker:</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Up</source>
        <translation>Nach oben</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Down</source>
        <translation>Nach unten</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+218"/>
        <source>Rename</source>
        <translation>Umbenennen</translation>
    </message>
    <message>
        <location line="-217"/>
        <source>Run from first</source>
        <translation>Ab dem ersten ausführen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Run from selected</source>
        <translation>Ab dem gewählten ausführen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Run this element only</source>
        <translation>Nur dieses Element ausführen</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;New</source>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Open...</source>
        <translation>Ö&amp;ffnen...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Save &amp;as...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Export &amp;report...</source>
        <translation>&amp;Bericht exportieren...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Print report...</source>
        <translation>Bericht &amp;drucken...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Print pre&amp;view...</source>
        <translation>Druck&amp;vorschau...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Export results as &amp;JSON...</source>
        <translation>Ergebnisse als &amp;JSON exportieren...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Export results as &amp;CSV...</source>
        <translation>Ergebnisse als &amp;CSV exportieren...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Run</source>
        <translation>&amp;Ausführen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Run from &amp;first</source>
        <translation>Ab dem &amp;ersten</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Run from &amp;selected</source>
        <translation>Ab dem &amp;gewählten</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Run this element &amp;only</source>
        <translation>Nur dieses Element aus&amp;führen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Tools</source>
        <translation>&amp;Werkzeuge</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Device &amp;history...</source>
        <translation>Geräte&amp;historie...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Settings...</source>
        <translation>&amp;Einstellungen...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Instrument &amp;operator record...</source>
        <translation>&amp;Bedienerprotokoll des Messgeräts...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Instrument &amp;link...</source>
        <translation>Geräte&amp;verbindung...</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>(the plug-in is not loaded)</source>
        <translation>(das Plug-in ist nicht geladen)</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>The catalogue cannot be read: %1</source>
        <translation>Der Katalog kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <location line="+422"/>
        <source>The instrument&apos;s operator record cannot be shown: %1</source>
        <translation>Das Bedienerprotokoll des Messgeräts kann nicht angezeigt werden: %1</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Instrument operator record</source>
        <translation>Bedienerprotokoll des Messgeräts</translation>
    </message>
    <message>
        <location line="-375"/>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>The selected standard %1 (%2) is carried by no element: nothing is judged against it.</source>
        <translation>Die gewählte Norm %1 (%2) gehört zu keinem Element: nichts wird danach beurteilt.</translation>
    </message>
    <message>
        <location line="+56"/>
        <source>The test cannot be added: %1</source>
        <translation>Die Prüfung kann nicht hinzugefügt werden: %1</translation>
    </message>
    <message>
        <location line="+40"/>
        <source>Name of the element:</source>
        <translation>Name des Elements:</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Save the sequence first? Results are then saved after every finished element.</source>
        <translation>Den Ablauf zuerst speichern? Die Ergebnisse werden dann nach jedem beendeten Element gespeichert.</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Running %1</source>
        <translation>%1 wird ausgeführt</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>The results could not be saved: %1</source>
        <translation>Die Ergebnisse konnten nicht gespeichert werden: %1</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>The run stopped: %1</source>
        <translation>Die Ausführung wurde beendet: %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The run was aborted.</source>
        <translation>Die Ausführung wurde abgebrochen.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The run has ended.</source>
        <translation>Die Ausführung ist beendet.</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>%1 cannot be opened: the plug-in is not loaded.</source>
        <translation>%1 kann nicht geöffnet werden: das Plug-in ist nicht geladen.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>The sequence cannot be opened.
%1</source>
        <translation>Der Ablauf kann nicht geöffnet werden.
%1</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>%1 was opened with warnings:
%2</source>
        <translation>%1 wurde mit Warnungen geöffnet:
%2</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Opened %1</source>
        <translation>%1 geöffnet</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>The sequence could not be saved: %1</source>
        <translation>Der Ablauf konnte nicht gespeichert werden: %1</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Saved %1</source>
        <translation>%1 gespeichert</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>The sequence has changed. Save it?</source>
        <translation>Der Ablauf wurde geändert. Speichern?</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Open sequence</source>
        <translation>Ablauf öffnen</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Save sequence</source>
        <translation>Ablauf speichern</translation>
    </message>
    <message>
        <location line="+7"/>
        <location line="+3"/>
        <source>Export report</source>
        <translation>Bericht exportieren</translation>
    </message>
    <message>
        <location line="-3"/>
        <source>PDF (*.pdf);;HTML (*.html)</source>
        <translation>PDF (*.pdf);;HTML (*.html)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Print failed measurements only?</source>
        <translation>Nur nicht bestandene Messungen drucken?</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Report written to %1</source>
        <translation>Bericht nach %1 geschrieben</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The report could not be written: %1</source>
        <translation>Der Bericht konnte nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>The report could not be built: %1</source>
        <translation>Der Bericht konnte nicht erstellt werden: %1</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>The report was sent to %1.</source>
        <translation>Der Bericht wurde an %1 gesendet.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Export results</source>
        <translation>Ergebnisse exportieren</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>JSON (*.json)</source>
        <translation>JSON (*.json)</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>CSV (*.csv)</source>
        <translation>CSV (*.csv)</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Results written to %1</source>
        <translation>Ergebnisse nach %1 geschrieben</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The results could not be written: %1</source>
        <translation>Die Ergebnisse konnten nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>The settings could not be written: %1</source>
        <translation>Die Einstellungen konnten nicht geschrieben werden: %1</translation>
    </message>
</context>
<context>
    <name>ostrel::ResultsDatabasePage</name>
    <message>
        <location filename="../app/ostrel/ResultsDatabasePage.cpp" line="+23"/>
        <source>SQLite file in the user&apos;s data folder</source>
        <translation>SQLite-Datei im Datenordner des Benutzers</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>postgresql://user@host/dbname to share one history between benches; keep the password in ~/.pgpass</source>
        <translation>postgresql://benutzer@host/dbname, um eine Historie zwischen Prüfplätzen zu teilen; das Passwort steht in ~/.pgpass</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Check</source>
        <translation>Prüfen</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Results database:</source>
        <translation>Ergebnisdatenbank:</translation>
    </message>
    <message>
        <location line="+38"/>
        <source>Connected to %1.</source>
        <translation>Verbunden mit %1.</translation>
    </message>
</context>
<context>
    <name>ostrel::SequenceModel</name>
    <message>
        <location filename="../app/ostrel/SequenceModel.cpp" line="+182"/>
        <source>Uncheck to leave this element out of runs.</source>
        <translation>Abwählen, um dieses Element bei Durchläufen auszulassen.</translation>
    </message>
</context>
<context>
    <name>ostrel::SettingsDialog</name>
    <message>
        <location filename="../app/ostrel/SettingsDialog.cpp" line="+51"/>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>built-in simulator</source>
        <translation>eingebauter Simulator</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>first serial port found</source>
        <translation>erster gefundener serieller Anschluss</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>%1 (not present)</source>
        <translation>%1 (nicht vorhanden)</translation>
    </message>
    <message>
        <location line="+7"/>
        <source> x real time</source>
        <translation> x Echtzeit</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>English (built-in texts)</source>
        <translation>Englisch (eingebaute Texte)</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>NB-4410 port:</source>
        <translation>Anschluss des NB-4410:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Simulator speed:</source>
        <translation>Simulatorgeschwindigkeit:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Language:</source>
        <translation>Sprache:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Standards of the sequence:</source>
        <translation>Normen des Ablaufs:</translation>
    </message>
</context>
<context>
    <name>ostrel::SimulatedMonitorPanel</name>
    <message>
        <location filename="../app/ostrel/SimulatedMonitorPanel.cpp" line="+57"/>
        <source>Simulated monitor: </source>
        <translation>Simulierter Monitor: </translation>
    </message>
    <message>
        <location line="+4"/>
        <source>not started</source>
        <translation>nicht gestartet</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>no measurement yet</source>
        <translation>noch keine Messung</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>measuring...</source>
        <translation>misst...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>SYS %1  DIA %2  MAP %3 mmHg  Pulse %4 /min</source>
        <translation>SYS %1  DIA %2  MAD %3 mmHg  Puls %4 /min</translation>
    </message>
</context>
</TS>
