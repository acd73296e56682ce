<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
  <context>
    <name>NumberedTexts</name>
    <message>
      <location filename="../plugin/guide/FTestGuide.cpp" line="0" />
      <source>210::Abort test (Esc).</source>
      <translation>Prüfung abbrechen (Esc).</translation>
    </message>
    <message>
      <location filename="../plugin/guide/FTestGuide.cpp" line="0" />
      <source>211::Go to previous test (Ctrl+B).</source>
      <translation>Zur vorherigen Prüfung (Strg+B).</translation>
    </message>
    <message>
      <location filename="../plugin/guide/FTestGuide.cpp" line="0" />
      <source>212::Go to next test (Ctrl+N). </source>
      <translation>Zur nächsten Prüfung (Strg+N). </translation>
    </message>
    <message>
      <location filename="../plugin/guide/FTestGuide.cpp" line="0" />
      <source>213::Start test (Enter).</source>
      <translation>Prüfung starten (Eingabe).</translation>
    </message>
    <message>
      <location filename="../plugin/guide/FTestGuide.cpp" line="0" />
      <source>214::Stop test (Ctrl+E).</source>
      <translation>Prüfung anhalten (Strg+E).</translation>
    </message>
    <message>
      <location filename="../plugin/guide/FTestGuide.cpp" line="0" />
      <source>215::Flag test as not applicable (Ctrl+A).</source>
      <translation>Prüfung als nicht zutreffend markieren (Strg+A).</translation>
    </message>
    <message>
      <location filename="../plugin/guide/FTestGuide.cpp" line="0" />
      <source>216::Skip this test and go to next (Ctrl+K).</source>
      <translation>Diese Prüfung überspringen und zur nächsten (Strg+K).</translation>
    </message>
    <message>
      <location filename="../plugin/measure/XResultView.cpp" line="0" />
      <source>231::Value</source>
      <translation>Wert</translation>
    </message>
    <message>
      <location filename="../plugin/measure/XResultBP.cpp" line="0" />
      <source>232::High limit</source>
      <translation>Obergrenze</translation>
    </message>
    <message>
      <location filename="../plugin/measure/XResultBP.cpp" line="0" />
      <source>233::Low limit</source>
      <translation>Untergrenze</translation>
    </message>
    <message>
      <location filename="../plugin/tests/bp/CResultBP.cpp" line="0" />
      <source>234::Unit</source>
      <translation>Einheit</translation>
    </message>
    <message>
      <location filename="../plugin/measure/XResultBP.cpp" line="0" />
      <source>235::Recorded value</source>
      <translation>Erfasster Wert</translation>
    </message>
    <message>
      <location filename="../plugin/tests/common/MConfigStore.cpp" line="0" />
      <source>310::Configuration</source>
      <translation>Konfiguration</translation>
    </message>
    <message>
      <location filename="../plugin/tests/bp/CResultBP.cpp" line="0" />
      <source>312::Result:</source>
      <translation>Ergebnis:</translation>
    </message>
    <message>
      <location filename="../plugin/measure/XDetailedResult.cpp" line="0" />
      <source>1708::Comment</source>
      <translation>Kommentar</translation>
    </message>
    <message>
      <location filename="../vti/MErrorHandling.cpp" line="0" />
      <source>3400::Error #%%1 (%%2)    [%%3]\n%%4</source>
      <translation>Fehler #%%1 (%%2)    [%%3]\n%%4</translation>
    </message>
    <message>
      <location filename="../host/results/Standards.cpp" line="0" />
      <source>5000::Limits</source>
      <translation>Grenzwerte</translation>
    </message>
    <message>
      <location filename="../host/results/Standards.cpp" line="0" />
      <source>5001::Key</source>
      <translation>Schlüssel</translation>
    </message>
    <message>
      <location filename="../host/results/Standards.cpp" line="0" />
      <source>5002::Description</source>
      <translation>Beschreibung</translation>
    </message>
    <message>
      <location filename="../host/results/Standards.cpp" line="0" />
      <source>5003::Upper limit</source>
      <translation>Obergrenze</translation>
    </message>
    <message>
      <location filename="../host/results/Standards.cpp" line="0" />
      <source>5004::Lower limit</source>
      <translation>Untergrenze</translation>
    </message>
    <message>
      <location filename="../host/results/Standards.cpp" line="0" />
      <source>5005::Unit</source>
      <translation>Einheit</translation>
    </message>
    <message>
      <location filename="../host/results/XLimitView.cpp" line="0" />
      <source>5010::Standard:</source>
      <translation>Norm:</translation>
    </message>
    <message>
      <location filename="../host/results/XLimitView.cpp" line="0" />
      <source>5011::Short name</source>
      <translation>Kurzname</translation>
    </message>
    <message>
      <location filename="../host/results/XLimitView.cpp" line="0" />
      <source>5012::Full name</source>
      <translation>Vollständiger Name</translation>
    </message>
    <message>
      <location filename="../host/results/XLimitView.cpp" line="0" />
      <source>5013::New standard</source>
      <translation>Neue Norm</translation>
    </message>
    <message>
      <location filename="../host/results/XLimitView.cpp" line="0" />
      <source>5014::Measurement</source>
      <translation>Messung</translation>
    </message>
    <message>
      <location filename="../host/results/XLimitView.cpp" line="0" />
      <source>5015::Type a short name for the new standard.</source>
      <translation>Geben Sie einen Kurznamen für die neue Norm ein.</translation>
    </message>
    <message>
      <location filename="../host/results/XLimitView.cpp" line="0" />
      <source>5016::This standard exists already.</source>
      <translation>Diese Norm gibt es bereits.</translation>
    </message>
    <message>
      <location filename="../host/results/XLimitView.cpp" line="0" />
      <source>5017::The standard could not be created.</source>
      <translation>Die Norm konnte nicht angelegt werden.</translation>
    </message>
    <message>
      <location filename="../plugin/core/CPlugInNB4410.cpp" line="0" />
      <source>20000::NB-4410 NIBP Analyzer</source>
      <translation>NB-4410 NIBP-Analysator</translation>
    </message>
    <message>
      <location filename="../plugin/tests/bp/CResultBP.cpp" line="0" />
      <source>20100::Loading blood pressure test result data</source>
      <translation>Ergebnisdaten der Blutdruckprüfung werden geladen</translation>
    </message>
    <message>
      <location filename="../plugin/tests/common/MConfigStore.cpp" line="0" />
      <source>20101::Configuration parameter missing. Default value restored.</source>
      <translation>Konfigurationsparameter fehlt. Standardwert wiederhergestellt.</translation>
    </message>
    <message>
      <location filename="../plugin/guide/XTestDetails.cpp" line="0" />
      <source>20150::Manometer:</source>
      <translation>Manometer:</translation>
    </message>
    <message>
      <location filename="../plugin/guide/XTestDetails.cpp" line="0" />
      <source>20157::Elapsed time:</source>
      <translation>Verstrichene Zeit:</translation>
    </message>
    <message>
      <location filename="../plugin/editors/XConfigIBP.cpp" line="0" />
      <source>20234::Systolic (mmHg) :</source>
      <translation>Systolisch (mmHg) :</translation>
    </message>
    <message>
      <location filename="../plugin/editors/XConfigIBP.cpp" line="0" />
      <source>20235::Diastolic (mmHg) :</source>
      <translation>Diastolisch (mmHg) :</translation>
    </message>
    <message>
      <location filename="../plugin/editors/XConfigIBP.cpp" line="0" />
      <source>20236::Heart Rate (BPM) :</source>
      <translation>Herzfrequenz (1/min) :</translation>
    </message>
    <message>
      <location filename="../plugin/editors/XConfigIBP.cpp" line="0" />
      <source>20237::Pulse Pressure (mmHg) :</source>
      <translation>Pulsdruck (mmHg) :</translation>
    </message>
    <message>
      <location filename="../plugin/editors/XConfigPBP.cpp" line="0" />
      <source>20238::MAP (mmHg) :</source>
      <translation>MAD (mmHg) :</translation>
    </message>
    <message>
      <location filename="../plugin/tests/bp/CConfigIBP.cpp" line="0" />
      <source>20240::Arrhythmia Simulation</source>
      <translation>Arrhythmie-Simulation</translation>
    </message>
    <message>
      <location filename="../plugin/editors/XConfigLeak.cpp" line="0" />
      <source>20242::Start pressure (mmHg):</source>
      <translation>Startdruck (mmHg):</translation>
    </message>
    <message>
      <location filename="../plugin/editors/XConfigLeak.cpp" line="0" />
      <source>20244::Duration (sec) :</source>
      <translation>Dauer (s) :</translation>
    </message>
    <message>
      <location filename="../plugin/editors/XConfigOverPressure.cpp" line="0" />
      <source>20245::Inflate Pressure (mmHg):</source>
      <translation>Aufpumpdruck (mmHg):</translation>
    </message>
    <message>
      <location filename="../plugin/editors/XConfigIBP.cpp" line="0" />
      <source>20250::Legal range: 20 mmHg - 255 mmHg.</source>
      <translation>Zulässiger Bereich: 20 mmHg - 255 mmHg.</translation>
    </message>
    <message>
      <location filename="../plugin/tests/bp/MConfigBP.h" line="0" />
      <source>20250::Off</source>
      <translation>Aus</translation>
    </message>
    <message>
      <location filename="../plugin/editors/XConfigIBP.cpp" line="0" />
      <source>20251::Legal range: 5 mmHg - 210 mmHg.</source>
      <translation>Zulässiger Bereich: 5 mmHg - 210 mmHg.</translation>
    </message>
    <message>
      <location filename="../plugin/tests/bp/MConfigBP.h" line="0" />
      <source>20251::PAC</source>
      <translation>SVES</translation>
    </message>
    <message>
      <location filename="../plugin/tests/bp/MConfigBP.h" line="0" />
      <source>20252::AFIB</source>
      <translation>VHF</translation>
    </message>
    <message>
      <location filename="../plugin/editors/XConfigIBP.cpp" line="0" />
      <source>20252::Legal range: 10  BPM - 240 BPM.</source>
      <translation>Zulässiger Bereich: 10  1/min - 240 1/min.</translation>
    </message>
    <message>
      <location filename="../plugin/tests/bp/MConfigBP.h" line="0" />
      <source>20253::2-BLK II</source>
      <translation>AV-Block II</translation>
    </message>
    <message>
      <location filename="../plugin/editors/XConfigOverPressure.cpp" line="0" />
      <source>20253::Legal range: 0 - 500 mmHg.</source>
      <translation>Zulässiger Bereich: 0 - 500 mmHg.</translation>
    </message>
    <message>
      <location filename="../plugin/editors/XConfigIBP.cpp" line="0" />
      <source>20253::Legal range: 0.5 mmHg - 5.0 mmHg.</source>
      <translation>Zulässiger Bereich: 0,5 mmHg - 5,0 mmHg.</translation>
    </message>
    <message>
      <location filename="../plugin/tests/bp/MConfigBP.h" line="0" />
      <source>20254::PVC STD</source>
      <translation>VES Standard</translation>
    </message>
    <message>
      <location filename="../plugin/tests/bp/MConfigBP.h" line="0" />
      <source>20255::Artifact</source>
      <translation>Artefakt</translation>
    </message>
    <message>
      <location filename="../host/run/TestGuideSettings.h" line="0" />
      <source>20264::Select whether or not the optional Skip and NA buttons should be enabled in the test guide.</source>
      <translation>Wählen Sie, ob die optionalen Schaltflächen Überspringen und N/Z in der Prüfanleitung aktiviert sein sollen.</translation>
    </message>
    <message>
      <location filename="../plugin/editors/XConfigPBP.cpp" line="0" />
      <source>20280::Patient:</source>
      <translation>Patient:</translation>
    </message>
    <message>
      <location filename="../plugin/editors/XConfigPBP.cpp" line="0" />
      <source>20281::Selected preset:</source>
      <translation>Gewählte Voreinstellung:</translation>
    </message>
    <message>
      <location filename="../plugin/measure/MMeasureKey.cpp" line="0" />
      <source>20350::Systolic</source>
      <translation>Systolisch</translation>
    </message>
    <message>
      <location filename="../plugin/measure/MMeasureKey.cpp" line="0" />
      <source>20351::Diastolic</source>
      <translation>Diastolisch</translation>
    </message>
    <message>
      <location filename="../plugin/measure/MMeasureKey.cpp" line="0" />
      <source>20352::MAP</source>
      <translation>MAD</translation>
    </message>
    <message>
      <location filename="../plugin/measure/MMeasureKey.cpp" line="0" />
      <source>20353::Heart Rate</source>
      <translation>Herzfrequenz</translation>
    </message>
    <message>
      <location filename="../plugin/tests/bp/CConfigIBP.cpp" line="0" />
      <source>20354::Pulse Pressure</source>
      <translation>Pulsdruck</translation>
    </message>
    <message>
      <location filename="../plugin/tests/bp/CConfigPBP.cpp" line="0" />
      <source>20356::Selected Preset</source>
      <translation>Gewählte Voreinstellung</translation>
    </message>
    <message>
      <location filename="../plugin/measure/MMeasureKey.cpp" line="0" />
      <source>20370::Cuff Volume</source>
      <translation>Manschettenvolumen</translation>
    </message>
    <message>
      <location filename="../plugin/measure/MMeasureKey.cpp" line="0" />
      <source>20371::Pressure Drop</source>
      <translation>Druckabfall</translation>
    </message>
    <message>
      <location filename="../plugin/measure/MMeasureKey.cpp" line="0" />
      <source>20372::Leak Rate</source>
      <translation>Leckrate</translation>
    </message>
    <message>
      <location filename="../plugin/measure/MMeasureKey.cpp" line="0" />
      <source>20373::Monitor Release Pressure</source>
      <translation>Ablassdruck des Monitors</translation>
    </message>
    <message>
      <location filename="../plugin/tests/bp/MConfigBP.h" line="0" />
      <source>20401::Loading blood pressure test configuration data</source>
      <translation>Konfigurationsdaten der Blutdruckprüfung werden geladen</translation>
    </message>
    <message>
      <location filename="../plugin/editors/XConfigLeak.cpp" line="0" />
      <source>20450::Cuff</source>
      <translation>Manschette</translation>
    </message>
    <message>
      <location filename="../plugin/editors/XConfigLeak.cpp" line="0" />
      <source>20451::Monitor</source>
      <translation>Monitor</translation>
    </message>
    <message>
      <location filename="../plugin/editors/XConfigLeak.cpp" line="0" />
      <source>20452::Cuff and Monitor</source>
      <translation>Manschette und Monitor</translation>
    </message>
    <message>
      <location filename="../plugin/tests/leak/CConfigLeak.cpp" line="0" />
      <source>20453::Start Pressure</source>
      <translation>Startdruck</translation>
    </message>
    <message>
      <location filename="../plugin/tests/leak/CConfigLeak.cpp" line="0" />
      <source>20454::Tested Equipment</source>
      <translation>Geprüftes Gerät</translation>
    </message>
    <message>
      <location filename="../plugin/tests/leak/CConfigLeak.cpp" line="0" />
      <source>20455::Duration</source>
      <translation>Dauer</translation>
    </message>
    <message>
      <location filename="../plugin/tests/leak/CConfigLeak.cpp" line="0" />
      <source>20456::(continuous)</source>
      <translation>(fortlaufend)</translation>
    </message>
    <message>
      <location filename="../plugin/tests/leak/CConfigLeak.cpp" line="0" />
      <source>20457::Loading leak test configuration data</source>
      <translation>Konfigurationsdaten der Dichtheitsprüfung werden geladen</translation>
    </message>
    <message>
      <location filename="../plugin/tests/overpressure/CConfigOverPressure.cpp" line="0" />
      <source>20500::Inflate Pressure</source>
      <translation>Aufpumpdruck</translation>
    </message>
    <message>
      <location filename="../plugin/tests/overpressure/CConfigOverPressure.cpp" line="0" />
      <source>20501::Loading over-pressure test configuration data</source>
      <translation>Konfigurationsdaten der Überdruckprüfung werden geladen</translation>
    </message>
    <message>
      <location filename="../plugin/tests/overpressure/CResultOverPressure.cpp" line="0" />
      <source>20502::Loading over-pressure test result data</source>
      <translation>Ergebnisdaten der Überdruckprüfung werden geladen</translation>
    </message>
    <message>
      <location filename="../plugin/measure/CMeasurement.cpp" line="0" />
      <source>20550::Measurement overflow.</source>
      <translation>Messbereich überschritten.</translation>
    </message>
    <message>
      <location filename="../plugin/measure/CMeasurement.cpp" line="0" />
      <source>20551::Incomplete test.</source>
      <translation>Unvollständige Prüfung.</translation>
    </message>
    <message>
      <location filename="../plugin/measure/CMeasurement.cpp" line="0" />
      <source>20552::Error during test.</source>
      <translation>Fehler während der Prüfung.</translation>
    </message>
    <message>
      <location filename="../plugin/measure/CMeasurement.h" line="0" />
      <source>20554::No reading</source>
      <translation>Kein Messwert</translation>
    </message>
    <message>
      <location filename="../plugin/measure/CMeasurement.h" line="0" />
      <source>20553::A measurement cannot be loaded because its Key is empty.</source>
      <translation>Eine Messung kann nicht geladen werden, weil ihr Schlüssel leer ist.</translation>
    </message>
    <message>
      <location filename="../plugin/measure/XResultBP.cpp" line="0" />
      <source>20651::Preset Value</source>
      <translation>Vorgabewert</translation>
    </message>
    <message>
      <location filename="../plugin/tests/bp/CResultBP.cpp" line="0" />
      <source>20651::Preset value</source>
      <translation>Vorgabewert</translation>
    </message>
    <message>
      <location filename="../plugin/tests/cuffvolume/CResultCuffVolume.cpp" line="0" />
      <source>20700::Loading cuff volume test result data</source>
      <translation>Ergebnisdaten der Manschettenvolumenprüfung werden geladen</translation>
    </message>
    <message>
      <location filename="../plugin/tests/leak/CResultLeak.cpp" line="0" />
      <source>20701::Loading leak test result data</source>
      <translation>Ergebnisdaten der Dichtheitsprüfung werden geladen</translation>
    </message>
    <message>
      <location filename="../plugin/tests/bp/CTestBP.cpp" line="0" />
      <source>20750::1. Attach the cuff and the blood pressure unit to the NB-4410.</source>
      <translation>1. Schließen Sie die Manschette und das Blutdruckgerät an den NB-4410 an.</translation>
    </message>
    <message>
      <location filename="../plugin/tests/bp/CTestBP.cpp" line="0" />
      <source>20751::2. Press play to run the simulation.</source>
      <translation>2. Drücken Sie Start, um die Simulation auszuführen.</translation>
    </message>
    <message>
      <location filename="../plugin/tests/bp/CTestBP.cpp" line="0" />
      <source>20752::3. Press start on the blood pressure unit.</source>
      <translation>3. Drücken Sie Start am Blutdruckgerät.</translation>
    </message>
    <message>
      <location filename="../plugin/tests/bp/CTestBP.cpp" line="0" />
      <source>20753::4. Record the values reported by the blood pressure unit.</source>
      <translation>4. Erfassen Sie die Werte, die das Blutdruckgerät anzeigt.</translation>
    </message>
    <message>
      <location filename="../plugin/tests/bp/CTestBP.h" line="0" />
      <source>20754::The test failed. Do you want store this failed test result and continue with the next test?</source>
      <translation>Die Prüfung ist nicht bestanden. Wollen Sie dieses Ergebnis speichern und mit der nächsten Prüfung fortfahren?</translation>
    </message>
    <message>
      <location filename="../plugin/tests/cuffvolume/CTestCuffVolume.cpp" line="0" />
      <source>20800::1. Attach the cuff to the NB-4410.</source>
      <translation>1. Schließen Sie die Manschette an den NB-4410 an.</translation>
    </message>
    <message>
      <location filename="../plugin/tests/cuffvolume/CTestCuffVolume.cpp" line="0" />
      <source>20801::2. Press play to start the test.</source>
      <translation>2. Drücken Sie Start, um die Prüfung zu beginnen.</translation>
    </message>
    <message>
      <location filename="../plugin/tests/cuffvolume/CConfigCuffVolume.cpp" line="0" />
      <source>20802::Loading cuff volume test configuration data</source>
      <translation>Konfigurationsdaten der Manschettenvolumenprüfung werden geladen</translation>
    </message>
    <message>
      <location filename="../plugin/tests/leak/CTestLeak.cpp" line="0" />
      <source>20850::1. Attach the cuff and/or the monitor according to the configuration. (Click the info button to view the configuration.)</source>
      <translation>1. Schließen Sie Manschette und/oder Monitor gemäß der Konfiguration an. (Die Info-Schaltfläche zeigt die Konfiguration.)</translation>
    </message>
    <message>
      <location filename="../plugin/tests/leak/CTestLeak.cpp" line="0" />
      <source>20851::2. Power on the blood pressure unit, and wait until it is ready.</source>
      <translation>2. Schalten Sie das Blutdruckgerät ein und warten Sie, bis es bereit ist.</translation>
    </message>
    <message>
      <location filename="../plugin/tests/leak/CTestLeak.cpp" line="0" />
      <source>20852::3. Press play to start the test.</source>
      <translation>3. Drücken Sie Start, um die Prüfung zu beginnen.</translation>
    </message>
    <message>
      <location filename="../plugin/tests/overpressure/CTestOverPressure.cpp" line="0" />
      <source>20900::1. Attach the cuff and the blood pressure unit to the NB-4410.</source>
      <translation>1. Schließen Sie die Manschette und das Blutdruckgerät an den NB-4410 an.</translation>
    </message>
    <message>
      <location filename="../plugin/tests/overpressure/CTestOverPressure.cpp" line="0" />
      <source>20901::2. Power on the blood pressure unit, and wait until it is ready.</source>
      <translation>2. Schalten Sie das Blutdruckgerät ein und warten Sie, bis es bereit ist.</translation>
    </message>
    <message>
      <location filename="../plugin/tests/overpressure/CTestOverPressure.cpp" line="0" />
      <source>20902::3. Press play to start the test.</source>
      <translation>3. Drücken Sie Start, um die Prüfung zu beginnen.</translation>
    </message>
    <message>
      <location filename="../plugin/tests/overpressure/CResultOverPressure.cpp" line="0" />
      <source>20903::Monitor Release</source>
      <translation>Ablassen durch den Monitor</translation>
    </message>
    <message>
      <location filename="../plugin/measure/XResultBP.cpp" line="0" />
      <source>20950::Settings</source>
      <translation>Einstellungen</translation>
    </message>
    <message>
      <location filename="../resources/OstrelNB4410.mpc" line="0" />
      <source>21100::Blood Pressure Simulation</source>
      <translation>Blutdrucksimulation</translation>
    </message>
    <message>
      <location filename="../resources/OstrelNB4410.mpc" line="0" />
      <source>21101::NB-4410</source>
      <translation>NB-4410</translation>
    </message>
    <message>
      <location filename="../resources/OstrelNB4410.mpc" line="0" />
      <source>21102::BP Simulation, Independent</source>
      <translation>Blutdrucksimulation, frei</translation>
    </message>
    <message>
      <location filename="../resources/OstrelNB4410.mpc" line="0" />
      <source>21103::Simulates the systolic and diastolic pressure, heart rate, pulse pressure and arrhythmia entered in the configuration; the readings of the blood pressure unit are recorded and judged.</source>
      <translation>Simuliert den in der Konfiguration eingegebenen systolischen und diastolischen Druck, Herzfrequenz, Pulsdruck und Arrhythmie; die Anzeigen des Blutdruckgeräts werden erfasst und beurteilt.</translation>
    </message>
    <message>
      <location filename="../resources/OstrelNB4410.mpc" line="0" />
      <source>21106::BP Simulation, Preset</source>
      <translation>Blutdrucksimulation, Voreinstellung</translation>
    </message>
    <message>
      <location filename="../resources/OstrelNB4410.mpc" line="0" />
      <source>21107::Simulates a stored adult or neonate preset; the readings of the blood pressure unit are recorded and judged against the preset values.</source>
      <translation>Simuliert eine gespeicherte Voreinstellung für Erwachsene oder Neugeborene; die Anzeigen des Blutdruckgeräts werden erfasst und gegen die Vorgabewerte beurteilt.</translation>
    </message>
    <message>
      <location filename="../resources/OstrelNB4410.mpc" line="0" />
      <source>21110::BP Simulation, Artifact</source>
      <translation>Blutdrucksimulation, Artefakt</translation>
    </message>
    <message>
      <location filename="../resources/OstrelNB4410.mpc" line="0" />
      <source>21111::Simulates a stored artifact simulation; the readings of the blood pressure unit are recorded and judged against the simulated values.</source>
      <translation>Simuliert eine gespeicherte Artefaktsimulation; die Anzeigen des Blutdruckgeräts werden erfasst und gegen die simulierten Werte beurteilt.</translation>
    </message>
    <message>
      <location filename="../resources/OstrelNB4410.mpc" line="0" />
      <source>21114::BP Simulation, Readings Only</source>
      <translation>Blutdrucksimulation, nur Anzeigen</translation>
    </message>
    <message>
      <location filename="../resources/OstrelNB4410.mpc" line="0" />
      <source>21115::Records the readings of the blood pressure unit; this variant has no simulation settings of its own.</source>
      <translation>Erfasst die Anzeigen des Blutdruckgeräts; diese Variante hat keine eigenen Simulationseinstellungen.</translation>
    </message>
    <message>
      <location filename="../resources/registry/nb4410-bp.reg" line="0" />
      <source>21120::Normal 120/80 (93)</source>
      <translation>Normal 120/80 (93)</translation>
    </message>
    <message>
      <location filename="../resources/registry/nb4410-bp.reg" line="0" />
      <source>21121::Hypotension 80/50 (60)</source>
      <translation>Hypotonie 80/50 (60)</translation>
    </message>
    <message>
      <location filename="../resources/registry/nb4410-bp.reg" line="0" />
      <source>21122::Hypertension 150/100 (117)</source>
      <translation>Hypertonie 150/100 (117)</translation>
    </message>
    <message>
      <location filename="../resources/registry/nb4410-bp.reg" line="0" />
      <source>21123::Severe Hypertension 200/150 (167)</source>
      <translation>Schwere Hypertonie 200/150 (167)</translation>
    </message>
    <message>
      <location filename="../resources/registry/nb4410-bp.reg" line="0" />
      <source>21124::Tachycardia 120/80 (93), 150 BPM</source>
      <translation>Tachykardie 120/80 (93), 150 1/min</translation>
    </message>
    <message>
      <location filename="../resources/registry/nb4410-bp.reg" line="0" />
      <source>21125::Bradycardia 120/80 (93), 40 BPM</source>
      <translation>Bradykardie 120/80 (93), 40 1/min</translation>
    </message>
    <message>
      <location filename="../resources/registry/nb4410-bp.reg" line="0" />
      <source>21126::Weak Pulse 60/30 (40)</source>
      <translation>Schwacher Puls 60/30 (40)</translation>
    </message>
    <message>
      <location filename="../resources/registry/nb4410-bp.reg" line="0" />
      <source>21127::Neonate Normal 70/40 (50)</source>
      <translation>Neugeborenes normal 70/40 (50)</translation>
    </message>
    <message>
      <location filename="../resources/registry/nb4410-bp.reg" line="0" />
      <source>21128::Neonate Hypotension 50/30 (37)</source>
      <translation>Neugeborenes Hypotonie 50/30 (37)</translation>
    </message>
    <message>
      <location filename="../resources/registry/nb4410-bp.reg" line="0" />
      <source>21129::Neonate Hypertension 100/60 (73)</source>
      <translation>Neugeborenes Hypertonie 100/60 (73)</translation>
    </message>
    <message>
      <location filename="../resources/registry/nb4410-bp.reg" line="0" />
      <source>21130::Neonate Tachycardia 70/40 (50), 200 BPM</source>
      <translation>Neugeborenes Tachykardie 70/40 (50), 200 1/min</translation>
    </message>
    <message>
      <location filename="../resources/registry/nb4410-bp.reg" line="0" />
      <source>21131::Neonate Bradycardia 70/40 (50), 80 BPM</source>
      <translation>Neugeborenes Bradykardie 70/40 (50), 80 1/min</translation>
    </message>
    <message>
      <location filename="../resources/registry/nb4410-bp.reg" line="0" />
      <source>21132::Neonate Weak Pulse 40/20 (27)</source>
      <translation>Neugeborenes schwacher Puls 40/20 (27)</translation>
    </message>
    <message>
      <location filename="../resources/registry/nb4410-bp.reg" line="0" />
      <source>21133::Neonate High 120/80 (93)</source>
      <translation>Neugeborenes hoch 120/80 (93)</translation>
    </message>
    <message>
      <location filename="../resources/registry/nb4410-bp.reg" line="0" />
      <source>21134::Respiration Artifact 120/80 (93)</source>
      <translation>Atmungsartefakt 120/80 (93)</translation>
    </message>
    <message>
      <location filename="../resources/registry/nb4410-bp.reg" line="0" />
      <source>21135::Tremor Artifact 120/80 (93)</source>
      <translation>Tremorartefakt 120/80 (93)</translation>
    </message>
    <message>
      <location filename="../resources/registry/nb4410-bp.reg" line="0" />
      <source>21136::Motion Artifact 120/80 (93)</source>
      <translation>Bewegungsartefakt 120/80 (93)</translation>
    </message>
    <message>
      <location filename="../resources/registry/nb4410-bp.reg" line="0" />
      <source>21137::Irregular Heart Rate 120/80 (93)</source>
      <translation>Unregelmäßige Herzfrequenz 120/80 (93)</translation>
    </message>
    <message>
      <location filename="../resources/registry/nb4410-bp.reg" line="0" />
      <source>21138::Neonate Respiration Artifact 70/40 (50)</source>
      <translation>Neugeborenes Atmungsartefakt 70/40 (50)</translation>
    </message>
    <message>
      <location filename="../resources/registry/nb4410-bp.reg" line="0" />
      <source>21139::Neonate Tremor Artifact 70/40 (50)</source>
      <translation>Neugeborenes Tremorartefakt 70/40 (50)</translation>
    </message>
    <message>
      <location filename="../resources/registry/nb4410-bp.reg" line="0" />
      <source>21140::Neonate Motion Artifact 70/40 (50)</source>
      <translation>Neugeborenes Bewegungsartefakt 70/40 (50)</translation>
    </message>
    <message>
      <location filename="../resources/registry/nb4410-bp.reg" line="0" />
      <source>21141::Neonate Irregular Heart Rate 70/40 (50)</source>
      <translation>Neugeborenes unregelmäßige Herzfrequenz 70/40 (50)</translation>
    </message>
    <message>
      <location filename="../resources/OstrelNB4410.mpc" line="0" />
      <source>21200::Cuff Volume Test</source>
      <translation>Manschettenvolumenprüfung</translation>
    </message>
    <message>
      <location filename="../resources/OstrelNB4410.mpc" line="0" />
      <source>21201::NB-4410</source>
      <translation>NB-4410</translation>
    </message>
    <message>
      <location filename="../resources/OstrelNB4410.mpc" line="0" />
      <source>21202::Cuff Volume Test</source>
      <translation>Manschettenvolumenprüfung</translation>
    </message>
    <message>
      <location filename="../resources/OstrelNB4410.mpc" line="0" />
      <source>21203::Measures the volume of the attached cuff.</source>
      <translation>Misst das Volumen der angeschlossenen Manschette.</translation>
    </message>
    <message>
      <location filename="../resources/OstrelNB4410.mpc" line="0" />
      <source>21300::Leak Test</source>
      <translation>Dichtheitsprüfung</translation>
    </message>
    <message>
      <location filename="../resources/OstrelNB4410.mpc" line="0" />
      <source>21301::NB-4410</source>
      <translation>NB-4410</translation>
    </message>
    <message>
      <location filename="../resources/OstrelNB4410.mpc" line="0" />
      <source>21302::Leak Test</source>
      <translation>Dichtheitsprüfung</translation>
    </message>
    <message>
      <location filename="../resources/OstrelNB4410.mpc" line="0" />
      <source>21303::Pressurises the cuff and/or the monitor and measures the pressure drop and the leak rate.</source>
      <translation>Setzt Manschette und/oder Monitor unter Druck und misst Druckabfall und Leckrate.</translation>
    </message>
    <message>
      <location filename="../resources/OstrelNB4410.mpc" line="0" />
      <source>21400::Over-Pressure Test</source>
      <translation>Überdruckprüfung</translation>
    </message>
    <message>
      <location filename="../resources/OstrelNB4410.mpc" line="0" />
      <source>21401::NB-4410</source>
      <translation>NB-4410</translation>
    </message>
    <message>
      <location filename="../resources/OstrelNB4410.mpc" line="0" />
      <source>21402::Over-Pressure Test</source>
      <translation>Überdruckprüfung</translation>
    </message>
    <message>
      <location filename="../resources/OstrelNB4410.mpc" line="0" />
      <source>21403::Inflates towards the inflate pressure and records the peak pressure and whether the blood pressure unit released it.</source>
      <translation>Pumpt bis zum Aufpumpdruck auf und erfasst den Spitzendruck und ob das Blutdruckgerät ihn abgelassen hat.</translation>
    </message>
    <message>
      <location filename="../vti/MErrorHandling.cpp" line="0" />
      <source>22000::Error received from MTI: %%1
%%2
Occurred when performing %%3
%%4</source>
      <translation>Fehler vom Messgerät empfangen: %%1
%%2
Aufgetreten bei %%3
%%4</translation>
    </message>
    <message>
      <location filename="../vti/MErrorHandling.cpp" line="0" />
      <source>22001::Communication error with the NB-4410 unit. Please check all cables and check that the NB-4410 is turned on.</source>
      <translation>Kommunikationsfehler mit dem NB-4410. Bitte prüfen Sie alle Kabel und ob der NB-4410 eingeschaltet ist.</translation>
    </message>
    <message>
      <location filename="../vti/MErrorHandling.cpp" line="0" />
      <source>22002::Invalid data recieved from the NB-4410. Boot the NB-4410 and restart test. If the error still occurs, a new firmware upload is required.</source>
      <translation>Ungültige Daten vom NB-4410 empfangen. Starten Sie den NB-4410 neu und wiederholen Sie die Prüfung. Tritt der Fehler weiter auf, muss die Firmware neu geladen werden.</translation>
    </message>
    <message>
      <location filename="../vti/MErrorHandling.cpp" line="0" />
      <source>22003::No NB-4410 connected. Please check all cables and check that the NB-4410 is turned on.</source>
      <translation>Kein NB-4410 angeschlossen. Bitte prüfen Sie alle Kabel und ob der NB-4410 eingeschaltet ist.</translation>
    </message>
    <message>
      <location filename="../vti/MErrorHandling.cpp" line="0" />
      <source>22004::Missing parameter</source>
      <translation>Parameter fehlt</translation>
    </message>
    <message>
      <location filename="../vti/MErrorHandling.cpp" line="0" />
      <source>22005::Too many parameters</source>
      <translation>Zu viele Parameter</translation>
    </message>
    <message>
      <location filename="../vti/MErrorHandling.cpp" line="0" />
      <source>22006::Invalid parameter</source>
      <translation>Ungültiger Parameter</translation>
    </message>
    <message>
      <location filename="../vti/MErrorHandling.cpp" line="0" />
      <source>22007::Unknown message format</source>
      <translation>Unbekanntes Nachrichtenformat</translation>
    </message>
    <message>
      <location filename="../vti/MErrorHandling.cpp" line="0" />
      <source>22008::Out of memory</source>
      <translation>Kein Speicher mehr frei</translation>
    </message>
    <message>
      <location filename="../vti/MErrorHandling.cpp" line="0" />
      <source>22009::Uknown command</source>
      <translation>Unbekannter Befehl</translation>
    </message>
    <message>
      <location filename="../vti/MErrorHandling.cpp" line="0" />
      <source>22010::Busy</source>
      <translation>Beschäftigt</translation>
    </message>
    <message>
      <location filename="../vti/MErrorHandling.cpp" line="0" />
      <source>22011::Test not allowed</source>
      <translation>Prüfung nicht erlaubt</translation>
    </message>
    <message>
      <location filename="../vti/MErrorHandling.cpp" line="0" />
      <source>22012::Illegal command</source>
      <translation>Unzulässiger Befehl</translation>
    </message>
    <message>
      <location filename="../vti/MErrorHandling.cpp" line="0" />
      <source>22013::Command not allowed</source>
      <translation>Befehl nicht erlaubt</translation>
    </message>
    <message>
      <location filename="../vti/MErrorHandling.cpp" line="0" />
      <source>22014::Object not found</source>
      <translation>Objekt nicht gefunden</translation>
    </message>
    <message>
      <location filename="../vti/MErrorHandling.cpp" line="0" />
      <source>22015::Unknown error</source>
      <translation>Unbekannter Fehler</translation>
    </message>
    <message>
      <location filename="../vti/MErrorHandling.cpp" line="0" />
      <source>22016::NB-4410 Communication Error</source>
      <translation>NB-4410 Kommunikationsfehler</translation>
    </message>
  </context>
</TS>
