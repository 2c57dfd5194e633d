<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>QObject</name>
    <message>
        <source>(any)</source>
        <translation>(beliebig)</translation>
    </message>
</context>
<context>
    <name>qv::BackgroundWait</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Stopping...</source>
        <translation>Wird angehalten...</translation>
    </message>
</context>
<context>
    <name>qv::CallsWindow</name>
    <message>
        <source>Calls - %1</source>
        <translation>Anrufe - %1</translation>
    </message>
    <message>
        <source>Call</source>
        <translation>Anruf</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>TEI</source>
        <translation>TEI</translation>
    </message>
    <message>
        <source>Ref</source>
        <translation>Ref</translation>
    </message>
    <message>
        <source>Calling</source>
        <translation>Rufende Nr.</translation>
    </message>
    <message>
        <source>Called</source>
        <translation>Gerufene Nr.</translation>
    </message>
    <message>
        <source>Bearer</source>
        <translation>Träger</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Kanal</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Beginn</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Dauer</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Zustand</translation>
    </message>
    <message>
        <source>Ending</source>
        <translation>Ende</translation>
    </message>
    <message>
        <source>Cleared by</source>
        <translation>Ausgelöst von</translation>
    </message>
    <message>
        <source>Cause</source>
        <translation>Ursache</translation>
    </message>
    <message>
        <source>Frames</source>
        <translation>Rahmen</translation>
    </message>
    <message>
        <source> (overlap)</source>
        <translation> (Overlap)</translation>
    </message>
    <message>
        <source>, unanswered</source>
        <translation>, unbeantwortet</translation>
    </message>
    <message>
        <source>%1, %2 unanswered</source>
        <translation>%1, %2 unbeantwortet</translation>
    </message>
    <message>
        <source>1 call</source>
        <translation>1 Anruf</translation>
    </message>
    <message>
        <source>%1 calls</source>
        <translation>%1 Anrufe</translation>
    </message>
    <message>
        <source>setup</source>
        <translation>Aufbau</translation>
    </message>
    <message>
        <source>overlap</source>
        <translation>Wahl</translation>
    </message>
    <message>
        <source>proceeding</source>
        <translation>in Bearbeitung</translation>
    </message>
    <message>
        <source>alerting</source>
        <translation>Rufen</translation>
    </message>
    <message>
        <source>connected</source>
        <translation>verbunden</translation>
    </message>
    <message>
        <source>disconnecting</source>
        <translation>Abbau</translation>
    </message>
    <message>
        <source>released</source>
        <translation>ausgelöst</translation>
    </message>
    <message>
        <source>open</source>
        <translation>offen</translation>
    </message>
    <message>
        <source>restart</source>
        <translation>Neustart</translation>
    </message>
    <message>
        <source>link released</source>
        <translation>Verbindung abgebaut</translation>
    </message>
    <message>
        <source>line down</source>
        <translation>Leitung ausgefallen</translation>
    </message>
    <message>
        <source>Finding the calls</source>
        <translation>Anrufe werden gesucht</translation>
    </message>
    <message>
        <source>Drawing the call flow</source>
        <translation>Anrufablauf wird gezeichnet</translation>
    </message>
</context>
<context>
    <name>qv::CaptureWindow</name>
    <message>
        <source>Frame %1</source>
        <translation>Rahmen %1</translation>
    </message>
    <message>
        <source>Go to Frame</source>
        <translation>Gehe zu Rahmen</translation>
    </message>
    <message>
        <source>Frame number:</source>
        <translation>Rahmennummer:</translation>
    </message>
    <message>
        <source> - Active Filters </source>
        <translation> - Aktive Filter </translation>
    </message>
    <message>
        <source>Printing frames...</source>
        <translation>Rahmen werden gedruckt...</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>This is a V5 capture, decoded here as ISDN. To decode its V5 messages, check &quot;V5.1/V5.2 Encapsulated&quot; in Protocol Setup (LVT-60).</source>
        <translation>Dies ist eine V5-Aufzeichnung, hier als ISDN dekodiert. Um ihre V5-Meldungen zu dekodieren, kreuzen Sie „V5.1/V5.2 gekapselt“ unter Protokoll einrichten (LVT-60) an.</translation>
    </message>
    <message>
        <source>The profile %1 cannot be read</source>
        <translation>Das Profil %1 kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>Unknown key in &quot;%1&quot;</source>
        <translation>Unbekannter Schlüssel in „%1“</translation>
    </message>
    <message>
        <source>Value not allowed in &quot;%1&quot;</source>
        <translation>Unzulässiger Wert in „%1“</translation>
    </message>
    <message>
        <source>No value in &quot;%1&quot;: write key=value</source>
        <translation>Kein Wert in „%1“: schreiben Sie Schlüssel=Wert</translation>
    </message>
    <message>
        <source>A quote is not closed in &quot;%1&quot;</source>
        <translation>Ein Anführungszeichen ist nicht geschlossen in „%1“</translation>
    </message>
    <message>
        <source>&quot;%1&quot; gives a key a second time</source>
        <translation>„%1“ gibt einen Schlüssel ein zweites Mal an</translation>
    </message>
    <message>
        <source>Filter on this value</source>
        <translation>Nach diesem Wert filtern</translation>
    </message>
    <message>
        <source>Add to filter</source>
        <translation>Zum Filter hinzufügen</translation>
    </message>
    <message>
        <source>Clear filter</source>
        <translation>Filter löschen</translation>
    </message>
    <message>
        <source>Displayed %1 of %2</source>
        <translation>%1 von %2 angezeigt</translation>
    </message>
    <message>
        <source>%1 (scanning... %2%)</source>
        <translation>%1 (Suche... %2&#xa0;%)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; applies to layer 2: show layer 2 too (layer=2 or layer=2,3)</source>
        <translation>„%1“ gilt für Schicht 2: zeigen Sie auch Schicht 2 an (layer=2 oder layer=2,3)</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Copy All</source>
        <translation>Alles kopieren</translation>
    </message>
    <message>
        <source>Expand All</source>
        <translation>Alle aufklappen</translation>
    </message>
    <message>
        <source>Collapse All</source>
        <translation>Alle zuklappen</translation>
    </message>
    <message>
        <source>Copy Octets as Hex</source>
        <translation>Oktette hexadezimal kopieren</translation>
    </message>
    <message>
        <source>Find in the summary (F3, Shift+F3)</source>
        <translation>Im Überblick suchen (F3, Umschalt+F3)</translation>
    </message>
    <message>
        <source>F&amp;ind:</source>
        <translation>&amp;Suchen:</translation>
    </message>
    <message>
        <source>Find the previous row holding the text (Shift+F3)</source>
        <translation>Die vorige Zeile mit dem Text suchen (Umschalt+F3)</translation>
    </message>
    <message>
        <source>Find the next row holding the text (F3)</source>
        <translation>Die nächste Zeile mit dem Text suchen (F3)</translation>
    </message>
</context>
<context>
    <name>qv::ColourSelectionDialog</name>
    <message>
        <source>TE-&gt;NT   Layer 1 event</source>
        <translation>TE-&gt;NT   Schicht-1-Ereignis</translation>
    </message>
    <message>
        <source>NT-&gt;TE   Layer 1 event</source>
        <translation>NT-&gt;TE   Schicht-1-Ereignis</translation>
    </message>
    <message>
        <source>TE-&gt;NT   Layer 2 frame</source>
        <translation>TE-&gt;NT   Schicht-2-Rahmen</translation>
    </message>
    <message>
        <source>NT-&gt;TE   Layer 2 frame</source>
        <translation>NT-&gt;TE   Schicht-2-Rahmen</translation>
    </message>
    <message>
        <source>TE-&gt;NT   ISDN layer 3 message</source>
        <translation>TE-&gt;NT   ISDN-Nachricht der Schicht 3</translation>
    </message>
    <message>
        <source>NT-&gt;TE   ISDN layer 3 message</source>
        <translation>NT-&gt;TE   ISDN-Nachricht der Schicht 3</translation>
    </message>
    <message>
        <source>TE-&gt;NT   X.25 packet</source>
        <translation>TE-&gt;NT   X.25-Paket</translation>
    </message>
    <message>
        <source>NT-&gt;TE   X.25 packet</source>
        <translation>NT-&gt;TE   X.25-Paket</translation>
    </message>
    <message>
        <source>LT-&gt;NT   U interface</source>
        <translation>LT-&gt;NT   U-Schnittstelle</translation>
    </message>
    <message>
        <source>NT-&gt;LT   U interface</source>
        <translation>NT-&gt;LT   U-Schnittstelle</translation>
    </message>
    <message>
        <source>Found item</source>
        <translation>Gefundenes Element</translation>
    </message>
    <message>
        <source>Color Selection</source>
        <translation>Farbauswahl</translation>
    </message>
    <message>
        <source>&amp;Use colors in the frame views</source>
        <translation>&amp;Farben in den Rahmenansichten verwenden</translation>
    </message>
    <message>
        <source>TE-&gt;NT</source>
        <translatorcomment>ISDN direction, the same in every language</translatorcomment>
        <translation>TE-&gt;NT</translation>
    </message>
    <message>
        <source>NT-&gt;TE</source>
        <translatorcomment>ISDN direction, the same in every language</translatorcomment>
        <translation>NT-&gt;TE</translation>
    </message>
    <message>
        <source>ISDN frames</source>
        <translation>ISDN-Rahmen</translation>
    </message>
    <message>
        <source>Layer 1 text</source>
        <translation>Schicht-1-Text</translation>
    </message>
    <message>
        <source>Layer 2 text</source>
        <translation>Schicht-2-Text</translation>
    </message>
    <message>
        <source>ISDN layer 3 text</source>
        <translation>ISDN-Schicht-3-Text</translation>
    </message>
    <message>
        <source>X.25 layer 3 text</source>
        <translation>X.25-Schicht-3-Text</translation>
    </message>
    <message>
        <source>Row background</source>
        <translation>Zeilenhintergrund</translation>
    </message>
    <message>
        <source>U interface</source>
        <translation>U-Schnittstelle</translation>
    </message>
    <message>
        <source>LT-&gt;NT</source>
        <translatorcomment>U-interface direction, the same in every language</translatorcomment>
        <translation>LT-&gt;NT</translation>
    </message>
    <message>
        <source>NT-&gt;LT</source>
        <translatorcomment>U-interface direction, the same in every language</translatorcomment>
        <translation>NT-&gt;LT</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Schrift</translation>
    </message>
    <message>
        <source>Item found by a search</source>
        <translation>Von einer Suche gefundenes Element</translation>
    </message>
    <message>
        <source>Background</source>
        <translation>Hintergrund</translation>
    </message>
    <message>
        <source>&amp;Default Colors</source>
        <translation>&amp;Standardfarben</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
</context>
<context>
    <name>qv::ColumnChoiceDialog</name>
    <message>
        <source>%1 : %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>This field can not be hidden</source>
        <translation>Dieses Feld kann nicht ausgeblendet werden</translation>
    </message>
    <message>
        <source>Move &amp;Up</source>
        <translation>Nach &amp;oben</translation>
    </message>
    <message>
        <source>Move &amp;Down</source>
        <translation>Nach &amp;unten</translation>
    </message>
    <message>
        <source>Show &amp;All</source>
        <translation>&amp;Alle anzeigen</translation>
    </message>
    <message>
        <source>Hid&amp;e All</source>
        <translation>Alle aus&amp;blenden</translation>
    </message>
    <message>
        <source>&amp;Invert</source>
        <translation>&amp;Invertieren</translation>
    </message>
    <message>
        <source>Space shows or hides the selected field.</source>
        <translation>Die Leertaste blendet das ausgewählte Feld ein oder aus.</translation>
    </message>
</context>
<context>
    <name>qv::CommentWindow</name>
    <message>
        <source>Comment for </source>
        <translation>Kommentar zu </translation>
    </message>
</context>
<context>
    <name>qv::Dru70EventModel</name>
    <message>
        <source>Number</source>
        <translation>Nummer</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Uhrzeit</translation>
    </message>
    <message>
        <source>NT - LT</source>
        <translatorcomment>U-interface direction, the same in every language</translatorcomment>
        <translation>NT - LT</translation>
    </message>
    <message>
        <source>Events</source>
        <translation>Ereignisse</translation>
    </message>
    <message>
        <source>EOC</source>
        <translatorcomment>acronym of the embedded operations channel, the same in every language</translatorcomment>
        <translation>EOC</translation>
    </message>
    <message>
        <source>Comments</source>
        <translation>Kommentare</translation>
    </message>
</context>
<context>
    <name>qv::Dru70FilterSheet</name>
    <message>
        <source>DRU-70 Off-Line Filters</source>
        <translation>DRU-70-Offline-Filter</translation>
    </message>
    <message>
        <source>Display frames with</source>
        <translation>Rahmen anzeigen mit</translation>
    </message>
    <message>
        <source>Activation</source>
        <translation>Aktivierung</translation>
    </message>
    <message>
        <source>Power Supply</source>
        <translation>Fernspeisung</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>EOC</source>
        <translatorcomment>acronym of the embedded operations channel, the same in every language</translatorcomment>
        <translation>EOC</translation>
    </message>
    <message>
        <source>U interface activation and deactivation</source>
        <translation>Aktivierung und Deaktivierung der U-Schnittstelle</translation>
    </message>
    <message>
        <source>Power supply status of the NT1</source>
        <translation>Fernspeisezustand des NT1</translation>
    </message>
    <message>
        <source>Block errors (NEBE, FEBE)</source>
        <translation>Blockfehler (NEBE, FEBE)</translation>
    </message>
    <message>
        <source>Embedded operations channel: loop-backs, maintenance and AIB</source>
        <translation>Eingebetteter Betriebskanal: Schleifen, Wartung und AIB</translation>
    </message>
    <message>
        <source>Events</source>
        <translation>Ereignisse</translation>
    </message>
    <message>
        <source>Profile</source>
        <translation>Profil</translation>
    </message>
</context>
<context>
    <name>qv::Dru70FindDialog</name>
    <message>
        <source>&amp;String</source>
        <translation>&amp;Zeichenkette</translation>
    </message>
    <message>
        <source>&amp;Event</source>
        <translation>&amp;Ereignis</translation>
    </message>
</context>
<context>
    <name>qv::Dru70ProtocolInformationDialog</name>
    <message>
        <source>DRU-70 Protocol Information</source>
        <translation>DRU-70-Protokollinformationen</translation>
    </message>
    <message>
        <source>Defaul&amp;t</source>
        <translation>&amp;Standard</translation>
    </message>
    <message>
        <source>Fields of the DRU-70 event list</source>
        <translation>Felder der DRU-70-Ereignisliste</translation>
    </message>
</context>
<context>
    <name>qv::Dru70Window</name>
    <message>
        <source> - Active Filters </source>
        <translation> - Aktive Filter </translation>
    </message>
    <message>
        <source>Press ESCAPE to stop the find function</source>
        <translation>Drücken Sie ESC, um die Suche abzubrechen</translation>
    </message>
    <message>
        <source>Program has reached the last frame!
Do you want to go to the first frame?</source>
        <translation>Das Programm hat den letzten Rahmen erreicht!
Möchten Sie zum ersten Rahmen gehen?</translation>
    </message>
    <message>
        <source>Program has reached the first frame!
Do you want to go to the last frame?</source>
        <translation>Das Programm hat den ersten Rahmen erreicht!
Möchten Sie zum letzten Rahmen gehen?</translation>
    </message>
    <message>
        <source>String found once</source>
        <translation>Zeichenkette einmal gefunden</translation>
    </message>
    <message>
        <source>String found twice</source>
        <translation>Zeichenkette zweimal gefunden</translation>
    </message>
    <message>
        <source>String found %1 times</source>
        <translation>Zeichenkette %1-mal gefunden</translation>
    </message>
    <message>
        <source>Event found once</source>
        <translation>Ereignis einmal gefunden</translation>
    </message>
    <message>
        <source>Event found twice</source>
        <translation>Ereignis zweimal gefunden</translation>
    </message>
    <message>
        <source>Event found %1 times</source>
        <translation>Ereignis %1-mal gefunden</translation>
    </message>
    <message>
        <source>String not found!</source>
        <translation>Zeichenkette nicht gefunden!</translation>
    </message>
    <message>
        <source>Event not found!</source>
        <translation>Ereignis nicht gefunden!</translation>
    </message>
    <message>
        <source>Go to Frame</source>
        <translation>Gehe zu Rahmen</translation>
    </message>
    <message>
        <source>Frame number:</source>
        <translation>Rahmennummer:</translation>
    </message>
    <message>
        <source>This frame is suppressed by filtering
Do you want to reach the nearest frame</source>
        <translation>Dieser Rahmen wird durch die Filterung unterdrückt
Möchten Sie zum nächstgelegenen Rahmen gehen</translation>
    </message>
    <message>
        <source>File : %1</source>
        <translation>Datei: %1</translation>
    </message>
    <message>
        <source>Instrument : %1</source>
        <translation>Gerät: %1</translation>
    </message>
    <message>
        <source>Serial number : %1</source>
        <translation>Seriennummer: %1</translation>
    </message>
    <message>
        <source>Versions : %1 %2</source>
        <translation>Versionen: %1 %2</translation>
    </message>
    <message>
        <source>Start : %1</source>
        <translation>Beginn: %1</translation>
    </message>
    <message>
        <source>End : %1</source>
        <translation>Ende: %1</translation>
    </message>
    <message>
        <source>Events : %1</source>
        <translation>Ereignisse: %1</translation>
    </message>
    <message>
        <source>The events to print are numbered from 1 to %1, the first not after the last.</source>
        <translation>Die zu druckenden Ereignisse sind von 1 bis %1 nummeriert, das erste nicht nach dem letzten.</translation>
    </message>
    <message>
        <source>Printing events...</source>
        <translation>Ereignisse werden gedruckt...</translation>
    </message>
    <message>
        <source>Insufficient memory to print frames
Please decrease the number of frames</source>
        <translation>Nicht genügend Speicher zum Drucken der Rahmen
Bitte verringern Sie die Anzahl der Rahmen</translation>
    </message>
    <message>
        <source>The printing file can not be opened</source>
        <translation>Die Druckdatei kann nicht geöffnet werden</translation>
    </message>
</context>
<context>
    <name>qv::ExpertWindow</name>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Hinweis</translation>
    </message>
    <message>
        <source>Expert Information - %1</source>
        <translation>Experteninformationen - %1</translation>
    </message>
    <message>
        <source>Severity</source>
        <translation>Schweregrad</translation>
    </message>
    <message>
        <source>Frame</source>
        <translation>Rahmen</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>Gruppe</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>%1, %2, %3 in %4</source>
        <translation>%1, %2, %3 in %4</translation>
    </message>
    <message>
        <source>1 error</source>
        <translation>1 Fehler</translation>
    </message>
    <message>
        <source>%1 errors</source>
        <translation>%1 Fehler</translation>
    </message>
    <message>
        <source>1 warning</source>
        <translation>1 Warnung</translation>
    </message>
    <message>
        <source>%1 warnings</source>
        <translation>%1 Warnungen</translation>
    </message>
    <message>
        <source>1 note</source>
        <translation>1 Hinweis</translation>
    </message>
    <message>
        <source>%1 notes</source>
        <translation>%1 Hinweise</translation>
    </message>
    <message>
        <source>1 data link</source>
        <translation>1 Datenverbindung</translation>
    </message>
    <message>
        <source>%1 data links</source>
        <translation>%1 Datenverbindungen</translation>
    </message>
    <message>
        <source>Sequence</source>
        <translation>Folge</translation>
    </message>
    <message>
        <source>Retransmission</source>
        <translation>Wiederholung</translation>
    </message>
    <message>
        <source>Timer</source>
        <translation>Zeitgeber</translation>
    </message>
    <message>
        <source>Link</source>
        <translation>Verbindung</translation>
    </message>
    <message>
        <source>TEI</source>
        <translation>TEI</translation>
    </message>
    <message>
        <source>Analysing the data links</source>
        <translation>Datenverbindungen werden analysiert</translation>
    </message>
    <message>
        <source>All findings</source>
        <translation>Alle Befunde</translation>
    </message>
    <message>
        <source>Warnings and errors</source>
        <translation>Warnungen und Fehler</translation>
    </message>
    <message>
        <source>Errors only</source>
        <translation>Nur Fehler</translation>
    </message>
    <message>
        <source>Show:</source>
        <translation>Anzeigen:</translation>
    </message>
    <message>
        <source>1 finding</source>
        <translation>1 Befund</translation>
    </message>
    <message>
        <source>%1 findings</source>
        <translation>%1 Befunde</translation>
    </message>
    <message>
        <source>Bad frame</source>
        <translation>Fehlerhafte Rahmen</translation>
    </message>
    <message>
        <source>Layer 1</source>
        <translation>Schicht 1</translation>
    </message>
    <message>
        <source>Clearing</source>
        <translation>Auslösung</translation>
    </message>
    <message>
        <source>Call</source>
        <translation>Ruf</translation>
    </message>
</context>
<context>
    <name>qv::FilterBar</name>
    <message>
        <source>Filter:</source>
        <translation>Filter:</translation>
    </message>
    <message>
        <source>e.g. tei=64 msg=SETUP cause=16 local=0123* (Enter applies)</source>
        <translation>z. B. tei=64 msg=SETUP cause=16 local=0123* (Eingabe wendet an)</translation>
    </message>
    <message>
        <source>Terms key=value separated by blanks, values with blanks in double quotes.
Keys: layer=1,2,3  sapi  tei  dir=TE-&gt;NT  frame=RR  rr=no  efa  cr (hex)
local, remote (* for any leading or trailing digits)  pd (hex)  msg=SETUP
cause (decimal, 0x.. or a name)  lcn  packet  x25local  x25remote  cug</source>
        <translation>Ausdrücke Schlüssel=Wert, durch Leerzeichen getrennt, Werte mit Leerzeichen in doppelten Anführungszeichen.
Schlüssel: layer=1,2,3  sapi  tei  dir=TE-&gt;NT  frame=RR  rr=no  efa  cr (hex)
local, remote (* für beliebige führende oder folgende Ziffern)  pd (hex)  msg=SETUP
cause (dezimal, 0x.. oder ein Name)  lcn  packet  x25local  x25remote  cug</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Anwenden</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Profiles</source>
        <translation>Profile</translation>
    </message>
    <message>
        <source>Apply a saved off-line filter profile</source>
        <translation>Ein gespeichertes Offline-Filterprofil anwenden</translation>
    </message>
    <message>
        <source>(no saved profile)</source>
        <translation>(kein gespeichertes Profil)</translation>
    </message>
</context>
<context>
    <name>qv::FilterSheet</name>
    <message>
        <source>Off-Line Filters</source>
        <translation>Offline-Filter</translation>
    </message>
    <message>
        <source>Real-Time Filters</source>
        <translation>Echtzeitfilter</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>Anzeige</translation>
    </message>
    <message>
        <source>Layer 1 events</source>
        <translation>Schicht-1-Ereignisse</translation>
    </message>
    <message>
        <source>Layer 2 frames</source>
        <translation>Schicht-2-Rahmen</translation>
    </message>
    <message>
        <source>Layer 3 frames</source>
        <translation>Schicht-3-Rahmen</translation>
    </message>
    <message>
        <source>Layer 2</source>
        <translation>Schicht 2</translation>
    </message>
    <message>
        <source>SAPI</source>
        <translatorcomment>LAPD acronym, the same in every language</translatorcomment>
        <translation>SAPI</translation>
    </message>
    <message>
        <source>TEI</source>
        <translatorcomment>LAPD acronym, the same in every language</translatorcomment>
        <translation>TEI</translation>
    </message>
    <message>
        <source>Direction</source>
        <translation>Richtung</translation>
    </message>
    <message>
        <source>Frame</source>
        <translation>Rahmentyp</translation>
    </message>
    <message>
        <source>Keep RR frames</source>
        <translation>RR-Rahmen behalten</translation>
    </message>
    <message>
        <source>V5</source>
        <translatorcomment>protocol name, the same in every language</translatorcomment>
        <translation>V5</translation>
    </message>
    <message>
        <source>EFA</source>
        <translatorcomment>V5 acronym (envelope function address), the same in every language</translatorcomment>
        <translation>EFA</translation>
    </message>
    <message>
        <source>%1: every user port</source>
        <translation>%1: alle Benutzerports</translation>
    </message>
    <message>
        <source>(any)</source>
        <translation>(beliebig)</translation>
    </message>
    <message>
        <source>L3 address</source>
        <translation>L3-Adresse</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Nachricht</translation>
    </message>
    <message>
        <source>ISDN Layer 3</source>
        <translation>ISDN-Schicht 3</translation>
    </message>
    <message>
        <source>Call reference (hex)</source>
        <translation>Rufreferenz (hex)</translation>
    </message>
    <message>
        <source>Local address</source>
        <translation>Lokale Adresse</translation>
    </message>
    <message>
        <source>Remote address</source>
        <translation>Entfernte Adresse</translation>
    </message>
    <message>
        <source>Protocol discriminator (hex)</source>
        <translation>Protokolldiskriminator (hex)</translation>
    </message>
    <message>
        <source>Cause</source>
        <translation>Ursache</translation>
    </message>
    <message>
        <source>X.25 Layer 3</source>
        <translation>X.25-Schicht 3</translation>
    </message>
    <message>
        <source>Logical channel (hex)</source>
        <translation>Logischer Kanal (hex)</translation>
    </message>
    <message>
        <source>Display Packets with</source>
        <translation>Pakete anzeigen mit</translation>
    </message>
    <message>
        <source>Closed user group</source>
        <translation>Geschlossene Benutzergruppe</translation>
    </message>
    <message>
        <source>Network user identification</source>
        <translation>Netzbenutzerkennung</translation>
    </message>
    <message>
        <source>Keep data packets</source>
        <translation>Datenpakete behalten</translation>
    </message>
    <message>
        <source>Packet</source>
        <translation>Paket</translation>
    </message>
    <message>
        <source>Frame slicing</source>
        <translation>Rahmenkürzung</translation>
    </message>
    <message>
        <source>Profile</source>
        <translation>Profil</translation>
    </message>
    <message>
        <source>The call reference is a hexadecimal value from 0 to 7FFF.</source>
        <translation>Die Rufreferenz ist ein Hexadezimalwert von 0 bis 7FFF.</translation>
    </message>
    <message>
        <source>The logical channel is a hexadecimal value from 0 to FFF.</source>
        <translation>Der logische Kanal ist ein Hexadezimalwert von 0 bis FFF.</translation>
    </message>
    <message>
        <source>The protocol discriminator is a hexadecimal value from 0 to FF.</source>
        <translation>Der Protokolldiskriminator ist ein Hexadezimalwert von 0 bis FF.</translation>
    </message>
    <message>
        <source>local address</source>
        <translation>lokale Adresse</translation>
    </message>
    <message>
        <source>remote address</source>
        <translation>entfernte Adresse</translation>
    </message>
    <message>
        <source>X.25 local address</source>
        <translation>lokale X.25-Adresse</translation>
    </message>
    <message>
        <source>X.25 remote address</source>
        <translation>entfernte X.25-Adresse</translation>
    </message>
    <message>
        <source>The %1 is made of digits, with * for any digits at its start or its end.</source>
        <translation>Die %1 besteht aus Ziffern, mit * für beliebige Ziffern am Anfang oder am Ende.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a cause of the list of causes.</source>
        <translation>„%1“ ist keine Ursache aus der Ursachenliste.</translation>
    </message>
    <message>
        <source>The cause is a number from 0 to 127.</source>
        <translation>Die Ursache ist eine Zahl von 0 bis 127.</translation>
    </message>
</context>
<context>
    <name>qv::FindDialog</name>
    <message>
        <source>&amp;String</source>
        <translation>&amp;Zeichenkette</translation>
    </message>
    <message>
        <source>&amp;ISDN Message</source>
        <translation>&amp;ISDN-Nachricht</translation>
    </message>
    <message>
        <source>&amp;V5 Message</source>
        <translation>&amp;V5-Nachricht</translation>
    </message>
    <message>
        <source>&amp;X25 Message</source>
        <translation>&amp;X25-Nachricht</translation>
    </message>
    <message>
        <source>&amp;Cause</source>
        <translation>&amp;Ursache</translation>
    </message>
</context>
<context>
    <name>qv::FlowCanvas</name>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
</context>
<context>
    <name>qv::FlowWindow</name>
    <message>
        <source>Call Flow - %1</source>
        <translation>Anrufablauf - %1</translation>
    </message>
    <message>
        <source>Export &amp;SVG...</source>
        <translation>Als &amp;SVG exportieren...</translation>
    </message>
    <message>
        <source>Export &amp;PNG...</source>
        <translation>Als &amp;PNG exportieren...</translation>
    </message>
    <message>
        <source>Export as SVG</source>
        <translation>Als SVG exportieren</translation>
    </message>
    <message>
        <source>Export as PNG</source>
        <translation>Als PNG exportieren</translation>
    </message>
    <message>
        <source>SVG pictures (*.svg)</source>
        <translation>SVG-Bilder (*.svg)</translation>
    </message>
    <message>
        <source>PNG pictures (*.png)</source>
        <translation>PNG-Bilder (*.png)</translation>
    </message>
    <message>
        <source> - the file cannot be written</source>
        <translation> - die Datei kann nicht geschrieben werden</translation>
    </message>
</context>
<context>
    <name>qv::FontDialog</name>
    <message>
        <source>Regular</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Kursiv</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Fett</translation>
    </message>
    <message>
        <source>Bold Italic</source>
        <translation>Fett kursiv</translation>
    </message>
    <message>
        <source>Fonts</source>
        <translation>Schriftarten</translation>
    </message>
    <message>
        <source>Fi&amp;xed-pitch fonts only</source>
        <translation>Nur &amp;nichtproportionale Schriftarten</translation>
    </message>
    <message>
        <source>The hexadecimal trace lines up best in a fixed-pitch font</source>
        <translation>Die Hexadezimalanzeige ist in einer nichtproportionalen Schrift am besten ausgerichtet</translation>
    </message>
    <message>
        <source>&amp;Font:</source>
        <translation>Schrift&amp;art:</translation>
    </message>
    <message>
        <source>Font st&amp;yle:</source>
        <translation>Schrift&amp;schnitt:</translation>
    </message>
    <message>
        <source>&amp;Size:</source>
        <translation>&amp;Größe:</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>Beispiel</translation>
    </message>
    <message>
        <source>Not installed here: the views draw with a similar font</source>
        <translation>Hier nicht installiert: die Ansichten verwenden eine ähnliche Schrift</translation>
    </message>
</context>
<context>
    <name>qv::HexaFindDialog</name>
    <message>
        <source>Find on hexadecimal trace</source>
        <translation>In der Hexadezimalanzeige suchen</translation>
    </message>
    <message>
        <source>String :</source>
        <translation>Zeichenkette:</translation>
    </message>
    <message>
        <source>Hexadecimal value :</source>
        <translation>Hexadezimalwert:</translation>
    </message>
</context>
<context>
    <name>qv::MainWindow</name>
    <message>
        <source>&amp;Analysis</source>
        <translation>A&amp;nalyse</translation>
    </message>
    <message>
        <source>&amp;Expert Information...</source>
        <translation>&amp;Experteninformationen...</translation>
    </message>
    <message>
        <source>&amp;Statistics...</source>
        <translation>&amp;Statistik...</translation>
    </message>
    <message>
        <source>&amp;Calls...</source>
        <translation>&amp;Rufe...</translation>
    </message>
    <message>
        <source>Call &amp;Flow...</source>
        <translation>Ruf&amp;ablauf...</translation>
    </message>
    <message>
        <source>This frame belongs to no call</source>
        <translation>Dieser Rahmen gehört zu keinem Ruf</translation>
    </message>
    <message>
        <source>&amp;Capture</source>
        <translation>&amp;Aufzeichnung</translation>
    </message>
    <message>
        <source>&amp;Examine</source>
        <translation>Aus&amp;wertung</translation>
    </message>
    <message>
        <source>&amp;View Results</source>
        <translation>&amp;Ergebnisse anzeigen</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Symbolleiste</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Bereit</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>&amp;Öffnen...</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation>E&amp;xportieren...</translation>
    </message>
    <message>
        <source>Export (only the frames the active filters show)</source>
        <translation>Exportieren (nur die Rahmen, die die aktiven Filter zeigen)</translation>
    </message>
    <message>
        <source>Export (every frame)</source>
        <translation>Exportieren (alle Rahmen)</translation>
    </message>
    <message>
        <source>pcap for Wireshark (*.pcap)</source>
        <translation>pcap für Wireshark (*.pcap)</translation>
    </message>
    <message>
        <source>pcapng for Wireshark (*.pcapng)</source>
        <translation>pcapng für Wireshark (*.pcapng)</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Drucken...</translation>
    </message>
    <message>
        <source>P&amp;rinter Setup...</source>
        <translation>Drucker&amp;einrichtung...</translation>
    </message>
    <message>
        <source>&amp;Transfer...</source>
        <translation>&amp;Übertragen...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Find...</source>
        <translation>&amp;Suchen...</translation>
    </message>
    <message>
        <source>Find on Hexa &amp;Trace...</source>
        <translation>In der &amp;Hexadezimalanzeige suchen...</translation>
    </message>
    <message>
        <source>&amp;Go to Frame...</source>
        <translation>&amp;Gehe zu Rahmen...</translation>
    </message>
    <message>
        <source>Co&amp;mment...</source>
        <translation>&amp;Kommentar...</translation>
    </message>
    <message>
        <source>Off-Line &amp;Filters...</source>
        <translation>Offline-&amp;Filter...</translation>
    </message>
    <message>
        <source>Call-Ref on &amp;selection</source>
        <translation>Call-Ref der &amp;Auswahl</translation>
    </message>
    <message>
        <source>&amp;Mode</source>
        <translation>&amp;Modus</translation>
    </message>
    <message>
        <source>&amp;Product</source>
        <translation>&amp;Produkt</translation>
    </message>
    <message>
        <source>Product &amp;Selection...</source>
        <translation>Produkt&amp;auswahl...</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>&amp;Symbolleiste</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>Status&amp;leiste</translation>
    </message>
    <message>
        <source>Restore Default &amp;Widths</source>
        <translation>Standard&amp;breiten wiederherstellen</translation>
    </message>
    <message>
        <source>&amp;Hexa Trace</source>
        <translation>&amp;Hexadezimalanzeige</translation>
    </message>
    <message>
        <source>&amp;Capture Toolbar</source>
        <translation>&amp;Aufzeichnungs-Symbolleiste</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Optionen</translation>
    </message>
    <message>
        <source>&amp;Serial Link Setup...</source>
        <translation>&amp;Serielle Verbindung einrichten...</translation>
    </message>
    <message>
        <source>&amp;Protocol Setup...</source>
        <translation>&amp;Protokoll einrichten...</translation>
    </message>
    <message>
        <source>Protocol &amp;Information...</source>
        <translation>Protokoll&amp;informationen...</translation>
    </message>
    <message>
        <source>&amp;DRU-70 Protocol Information...</source>
        <translation>&amp;DRU-70-Protokollinformationen...</translation>
    </message>
    <message>
        <source>PLM-45 &amp;Filters...</source>
        <translation>PLM-45-Fi&amp;lter...</translation>
    </message>
    <message>
        <source>F&amp;onts...</source>
        <translation>Schrift&amp;arten...</translation>
    </message>
    <message>
        <source>&amp;Colors...</source>
        <translation>&amp;Farben...</translation>
    </message>
    <message>
        <source>&amp;English</source>
        <translation>&amp;Englisch</translation>
    </message>
    <message>
        <source>&amp;French</source>
        <translation>F&amp;ranzösisch</translation>
    </message>
    <message>
        <source>&amp;German</source>
        <translation>De&amp;utsch</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Reference Manual</source>
        <translation>&amp;Referenzhandbuch</translation>
    </message>
    <message>
        <source>Reference Manual</source>
        <translation>Referenzhandbuch</translation>
    </message>
    <message>
        <source>&lt;b&gt;Working modes&lt;/b&gt;&lt;br&gt;Examine: captures (.lvt, .mon) and DRU-70 files. View Results: test results and PLM-45 projects. Capture: real-time analysis.&lt;br&gt;&lt;br&gt;&lt;b&gt;File&lt;/b&gt;&lt;br&gt;Open (Ctrl+O) shows the files of the mode; the content decides the window a file opens in. Save As copies the capture with its comment. Print (Ctrl+P): the summary, the detail, or the detail with the hexadecimal trace, of the selection, from the current frame to the end, every frame or a range; to a printer, a PDF or a text file.&lt;br&gt;&lt;br&gt;&lt;b&gt;Edit&lt;/b&gt;&lt;br&gt;Find (Ctrl+F): a text, an ISDN, V5 or X.25 message, or a cause; Find Next goes on from the hit, Escape stops a long search. Find on Hexa Trace: text or octets in the selected frame. Go to Frame (Ctrl+G). Comment: the note stored in the capture, up to 2048 characters.&lt;br&gt;&lt;br&gt;&lt;b&gt;View&lt;/b&gt;&lt;br&gt;Toolbar, Status Bar, Hexa Trace beside the detail, Restore Default Widths of the summary columns.&lt;br&gt;&lt;br&gt;&lt;b&gt;Summary keys&lt;/b&gt;&lt;br&gt;Home, End, Page Up, Page Down and the arrows move the selection; Shift or Ctrl with a click selects several frames; dragging the scroll thumb names the frame it stands for.</source>
        <translation>&lt;b&gt;Arbeitsmodi&lt;/b&gt;&lt;br&gt;Auswertung: Aufzeichnungen (.lvt, .mon) und DRU-70-Dateien. Ergebnisse anzeigen: Testergebnisse und PLM-45-Projekte. Aufzeichnung: Echtzeitanalyse.&lt;br&gt;&lt;br&gt;&lt;b&gt;Datei&lt;/b&gt;&lt;br&gt;Öffnen (Strg+O) zeigt die Dateien des Modus; der Inhalt einer Datei bestimmt das Fenster, in dem sie geöffnet wird. Speichern unter kopiert die Aufzeichnung mit ihrem Kommentar. Drucken (Strg+P): die Übersicht, die Details oder die Details mit der Hexadezimalanzeige, der Auswahl, vom aktuellen Rahmen bis zum Ende, aller Rahmen oder eines Bereichs; auf einen Drucker, in eine PDF- oder eine Textdatei.&lt;br&gt;&lt;br&gt;&lt;b&gt;Bearbeiten&lt;/b&gt;&lt;br&gt;Suchen (Strg+F): ein Text, eine ISDN-, V5- oder X.25-Nachricht oder eine Ursache; Weitersuchen setzt beim Treffer fort, Esc bricht eine lange Suche ab. In der Hexadezimalanzeige suchen: Text oder Oktette im ausgewählten Rahmen. Gehe zu Rahmen (Strg+G). Kommentar: die in der Aufzeichnung gespeicherte Notiz, bis zu 2048 Zeichen.&lt;br&gt;&lt;br&gt;&lt;b&gt;Ansicht&lt;/b&gt;&lt;br&gt;Symbolleiste, Statusleiste, Hexadezimalanzeige neben den Details, Standardbreiten der Übersichtsspalten wiederherstellen.&lt;br&gt;&lt;br&gt;&lt;b&gt;Tasten der Übersicht&lt;/b&gt;&lt;br&gt;Pos1, Ende, Bild auf, Bild ab und die Pfeiltasten bewegen die Auswahl; Umschalt oder Strg mit einem Klick wählt mehrere Rahmen aus; beim Ziehen des Rollbalkens wird der Rahmen angezeigt, für den er steht.</translation>
    </message>
    <message>
        <source>&amp;Short Users&apos; Guide</source>
        <translation>&amp;Kurzanleitung</translation>
    </message>
    <message>
        <source>Short Users&apos; Guide</source>
        <translation>Kurzanleitung</translation>
    </message>
    <message>
        <source>1. Choose your instrument in the Product menu.&lt;br&gt;2. Choose Examine, then File &gt; Open... and a capture from the tester.&lt;br&gt;3. Click a frame in the summary: its decode appears below, its octets beside it. Click a line of the decode to mark its octets.&lt;br&gt;4. Edit &gt; Find... searches the capture; Edit &gt; Comment... keeps your notes in the file.&lt;br&gt;5. File &gt; Print... prints or saves what you found.</source>
        <translation>1. Wählen Sie Ihr Gerät im Menü Produkt.&lt;br&gt;2. Wählen Sie Auswertung, dann Datei &gt; Öffnen... und eine Aufzeichnung des Testers.&lt;br&gt;3. Klicken Sie auf einen Rahmen der Übersicht: seine Decodierung erscheint darunter, seine Oktette daneben. Klicken Sie auf eine Zeile der Decodierung, um ihre Oktette zu markieren.&lt;br&gt;4. Bearbeiten &gt; Suchen... durchsucht die Aufzeichnung; Bearbeiten &gt; Kommentar... bewahrt Ihre Notizen in der Datei auf.&lt;br&gt;5. Datei &gt; Drucken... druckt oder speichert, was Sie gefunden haben.</translation>
    </message>
    <message>
        <source>&amp;About Quorvane...</source>
        <translation>Ü&amp;ber Quorvane...</translation>
    </message>
    <message>
        <source>About Quorvane</source>
        <translation>Über Quorvane</translation>
    </message>
    <message>
        <source>&lt;b&gt;Quorvane&lt;/b&gt;&lt;br&gt;Analyser of ISDN tester captures: LAPD, TEI management, Q.931 and its national variants, X.25 and V5.</source>
        <translation>&lt;b&gt;Quorvane&lt;/b&gt;&lt;br&gt;Analyseprogramm für die Aufzeichnungen von ISDN-Testern: LAPD, TEI-Verwaltung, Q.931 und seine nationalen Varianten, X.25 und V5.</translation>
    </message>
    <message>
        <source>The settings could not be written to %1.</source>
        <translation>Die Einstellungen konnten nicht in %1 geschrieben werden.</translation>
    </message>
    <message>
        <source>%1 - Product Selection</source>
        <translation>%1 - Produktauswahl</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>This file is already opened.
Do you want to open a new window on this file ?</source>
        <translation>Diese Datei ist bereits geöffnet.
Möchten Sie ein weiteres Fenster für diese Datei öffnen?</translation>
    </message>
    <message>
        <source>Cause number not found!</source>
        <translation>Ursachennummer nicht gefunden!</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Speichern unter</translation>
    </message>
    <message>
        <source>LVT-30/60 files(*.lvt);;All files (*)</source>
        <translation>LVT-30/60-Dateien (*.lvt);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>DRU-70 files(*.dru)</source>
        <translation>DRU-70-Dateien (*.dru)</translation>
    </message>
    <message>
        <source>Text files (*.txt);;All files (*)</source>
        <translation>Textdateien (*.txt);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>LVT capture (*.lvt)</source>
        <translation>LVT-Aufzeichnung (*.lvt)</translation>
    </message>
    <message>
        <source>%1: %2 of %3 frames written</source>
        <translation>%1: %2 von %3 Rahmen geschrieben</translation>
    </message>
    <message>
        <source>Counting the frames</source>
        <translation>Rahmen werden gezählt</translation>
    </message>
    <message>
        <source>Exporting</source>
        <translation>Export läuft</translation>
    </message>
    <message>
        <source>Not available in this version: transfers from a tester need the serial link</source>
        <translation>In dieser Version nicht verfügbar: Übertragungen von einem Tester brauchen die serielle Verbindung</translation>
    </message>
    <message>
        <source>Not available in this version: real-time capture needs the serial link</source>
        <translation>In dieser Version nicht verfügbar: die Echtzeitaufzeichnung braucht die serielle Verbindung</translation>
    </message>
    <message>
        <source>Find &amp;Next</source>
        <translation>&amp;Weitersuchen</translation>
    </message>
    <message>
        <source>Find Pre&amp;vious</source>
        <translation>Rüc&amp;kwärts suchen</translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation>&amp;Fenster</translation>
    </message>
    <message>
        <source>&amp;Tile</source>
        <translation>&amp;Nebeneinander</translation>
    </message>
    <message>
        <source>&amp;Cascade</source>
        <translation>Ü&amp;berlappend</translation>
    </message>
    <message>
        <source>Ne&amp;xt</source>
        <translation>N&amp;ächstes</translation>
    </message>
    <message>
        <source>Close &amp;All</source>
        <translation>&amp;Alle schließen</translation>
    </message>
</context>
<context>
    <name>qv::Messages</name>
    <message>
        <source>Error Message</source>
        <translation>Fehlermeldung</translation>
    </message>
    <message>
        <source>Quorvane</source>
        <translation>Quorvane</translation>
    </message>
    <message>
        <source>PDU Interpreter Internal Error</source>
        <translation>Interner Fehler des PDU-Interpreters</translation>
    </message>
    <message>
        <source>Wrong working directory!</source>
        <translation>Falsches Arbeitsverzeichnis!</translation>
    </message>
    <message>
        <source>French resources not found !</source>
        <translation>Französische Ressourcen nicht gefunden!</translation>
    </message>
    <message>
        <source>German resources not found !</source>
        <translation>Deutsche Ressourcen nicht gefunden!</translation>
    </message>
    <message>
        <source>To activate the modification, close and
re-open the Quorvane</source>
        <translation>Um die Änderung zu aktivieren, schließen Sie
Quorvane und starten Sie es erneut</translation>
    </message>
    <message>
        <source>ISDN manager problem !</source>
        <translation>Problem des ISDN-Managers!</translation>
    </message>
    <message>
        <source>Problem while initializing PDU Interpreter!</source>
        <translation>Problem bei der Initialisierung des PDU-Interpreters!</translation>
    </message>
    <message>
        <source>ISDN Manager Problem!</source>
        <translation>Problem des ISDN-Managers!</translation>
    </message>
    <message>
        <source>Error while searching this file type!</source>
        <translation>Fehler bei der Suche nach diesem Dateityp!</translation>
    </message>
    <message>
        <source>Error while looking for this file type!</source>
        <translation>Fehler bei der Ermittlung dieses Dateityps!</translation>
    </message>
    <message>
        <source>This file is not an LVT file!</source>
        <translation>Diese Datei ist keine LVT-Datei!</translation>
    </message>
    <message>
        <source>This file is not an LVT-30/-30U, LVT-60 or PLM-45 file!</source>
        <translation>Diese Datei ist keine LVT-30/-30U-, LVT-60- oder PLM-45-Datei!</translation>
    </message>
    <message>
        <source>Unable to find specified file!</source>
        <translation>Die angegebene Datei wurde nicht gefunden!</translation>
    </message>
    <message>
        <source>Unable to open this file!</source>
        <translation>Diese Datei kann nicht geöffnet werden!</translation>
    </message>
    <message>
        <source>Cannot know if this file is a remote or permanent file !</source>
        <translation>Es ist nicht erkennbar, ob diese Datei eine entfernte oder eine permanente Datei ist!</translation>
    </message>
    <message>
        <source>Unable to open file !</source>
        <translation>Die Datei kann nicht geöffnet werden!</translation>
    </message>
    <message>
        <source>File is empty!</source>
        <translation>Die Datei ist leer!</translation>
    </message>
    <message>
        <source>the record is not an LVT record!</source>
        <translation>Der Datensatz ist kein LVT-Datensatz!</translation>
    </message>
    <message>
        <source>LVT file error</source>
        <translation>LVT-Dateifehler</translation>
    </message>
    <message>
        <source>Error while reading frames!</source>
        <translation>Fehler beim Lesen der Rahmen!</translation>
    </message>
    <message>
        <source>tab_frame_idx not good !</source>
        <translation>tab_frame_idx ungültig!</translation>
    </message>
    <message>
        <source>Unable to create a decodable object !</source>
        <translation>Es kann kein decodierbares Objekt angelegt werden!</translation>
    </message>
    <message>
        <source>A problem occurs while reading first group of frames !</source>
        <translation>Beim Lesen der ersten Rahmengruppe ist ein Problem aufgetreten!</translation>
    </message>
    <message>
        <source>No frame found in the file !</source>
        <translation>Kein Rahmen in der Datei gefunden!</translation>
    </message>
    <message>
        <source>Problem while saving file!</source>
        <translation>Problem beim Speichern der Datei!</translation>
    </message>
    <message>
        <source>The comment text has changed.
Do you want to save it?</source>
        <translation>Der Kommentartext wurde geändert.
Möchten Sie ihn speichern?</translation>
    </message>
    <message>
        <source>The comment text can not be updated.
An error occured when saving it in the file</source>
        <translation>Der Kommentartext kann nicht aktualisiert werden.
Beim Speichern in der Datei ist ein Fehler aufgetreten</translation>
    </message>
    <message>
        <source>Starting and/or ending values are out of range</source>
        <translation>Start- und/oder Endwert liegen außerhalb des zulässigen Bereichs</translation>
    </message>
    <message>
        <source>This frame is suppressed by filtering
Do you want to reach the nearest frame</source>
        <translation>Dieser Rahmen wird durch die Filterung unterdrückt
Möchten Sie zum nächstgelegenen Rahmen gehen</translation>
    </message>
    <message>
        <source>This frame is not a layer 3 frame</source>
        <translation>Dieser Rahmen ist kein Schicht-3-Rahmen</translation>
    </message>
    <message>
        <source>CDecoder::pan_parse(): ev_p = NULL</source>
        <translation>CDecoder::pan_parse(): ev_p ist NULL</translation>
    </message>
    <message>
        <source>CISDN::Format_Detail() error: ev_p = NULL</source>
        <translation>CISDN::Format_Detail(), Fehler: ev_p ist NULL</translation>
    </message>
    <message>
        <source>Layer 3 detail error: %d!</source>
        <translation>Fehler im Detail der Schicht 3: %d!</translation>
    </message>
    <message>
        <source>Can&apos;t open file %s. Please, check notation files path ...</source>
        <translation>Die Datei %s kann nicht geöffnet werden. Bitte prüfen Sie den Pfad der Notationsdateien ...</translation>
    </message>
    <message>
        <source>Insufficient memory: Can&apos;t create PDU Interpreter!</source>
        <translation>Nicht genügend Speicher: Der PDU-Interpreter kann nicht angelegt werden!</translation>
    </message>
    <message>
        <source>Insufficient memory: Can&apos;t allocate PDU Interpreter buffer!</source>
        <translation>Nicht genügend Speicher: Der Puffer des PDU-Interpreters kann nicht reserviert werden!</translation>
    </message>
    <message>
        <source>Unknown protocol!</source>
        <translation>Unbekanntes Protokoll!</translation>
    </message>
    <message>
        <source>Syntax error in a Notation File</source>
        <translation>Syntaxfehler in einer Notationsdatei</translation>
    </message>
    <message>
        <source>Too many tables are defined in the list file</source>
        <translation>In der Listendatei sind zu viele Tabellen definiert</translation>
    </message>
    <message>
        <source>Not enough memory to load the Notation Files</source>
        <translation>Nicht genügend Speicher zum Laden der Notationsdateien</translation>
    </message>
    <message>
        <source>Press ESCAPE to stop the find function</source>
        <translation>Drücken Sie ESC, um die Suche abzubrechen</translation>
    </message>
    <message>
        <source>Program has reached the last frame!
Do you want to go to the first frame?</source>
        <translation>Das Programm hat den letzten Rahmen erreicht!
Möchten Sie zum ersten Rahmen gehen?</translation>
    </message>
    <message>
        <source>Program has reached the first frame!
Do you want to go to the last frame?</source>
        <translation>Das Programm hat den ersten Rahmen erreicht!
Möchten Sie zum letzten Rahmen gehen?</translation>
    </message>
    <message>
        <source>This field is not visible now. Display it with the
 &quot;Protocol Information&quot; menu and restart the Find function</source>
        <translation>Dieses Feld wird zurzeit nicht angezeigt. Blenden Sie es über das
Menü „Protokollinformationen“ ein und starten Sie die Suche erneut</translation>
    </message>
    <message>
        <source>Find error!</source>
        <translation>Suchfehler!</translation>
    </message>
    <message>
        <source>String found once</source>
        <translation>Zeichenkette einmal gefunden</translation>
    </message>
    <message>
        <source>String found twice</source>
        <translation>Zeichenkette zweimal gefunden</translation>
    </message>
    <message>
        <source>String found %d times</source>
        <translation>Zeichenkette %d-mal gefunden</translation>
    </message>
    <message>
        <source>Message found once</source>
        <translation>Nachricht einmal gefunden</translation>
    </message>
    <message>
        <source>Message found twice</source>
        <translation>Nachricht zweimal gefunden</translation>
    </message>
    <message>
        <source>Message found %d times</source>
        <translation>Nachricht %d-mal gefunden</translation>
    </message>
    <message>
        <source>Cause number found once</source>
        <translation>Ursachennummer einmal gefunden</translation>
    </message>
    <message>
        <source>Cause number found twice</source>
        <translation>Ursachennummer zweimal gefunden</translation>
    </message>
    <message>
        <source>Cause number found %d times</source>
        <translation>Ursachennummer %d-mal gefunden</translation>
    </message>
    <message>
        <source>String not found!</source>
        <translation>Zeichenkette nicht gefunden!</translation>
    </message>
    <message>
        <source>Message not found!</source>
        <translation>Nachricht nicht gefunden!</translation>
    </message>
    <message>
        <source>Cause number not found!</source>
        <translation>Ursachennummer nicht gefunden!</translation>
    </message>
    <message>
        <source>Wrong hexadecimal value!</source>
        <translation>Falscher Hexadezimalwert!</translation>
    </message>
    <message>
        <source>Hexa string  found !</source>
        <translation>Hexadezimale Zeichenkette gefunden!</translation>
    </message>
    <message>
        <source>ASCII string found !</source>
        <translation>ASCII-Zeichenkette gefunden!</translation>
    </message>
    <message>
        <source>Hexa string not found !</source>
        <translation>Hexadezimale Zeichenkette nicht gefunden!</translation>
    </message>
    <message>
        <source>ASCII string not found !</source>
        <translation>ASCII-Zeichenkette nicht gefunden!</translation>
    </message>
    <message>
        <source>Insufficient memory to print frames
Please decrease the number of frames</source>
        <translation>Nicht genügend Speicher zum Drucken der Rahmen
Bitte verringern Sie die Anzahl der Rahmen</translation>
    </message>
    <message>
        <source>The printing file can not be opened</source>
        <translation>Die Druckdatei kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>Cannot know if this file is a remote or permanent file!</source>
        <translation>Es ist nicht erkennbar, ob diese Datei eine entfernte oder eine permanente Datei ist!</translation>
    </message>
    <message>
        <source>Unable to open file!</source>
        <translation>Die Datei kann nicht geöffnet werden!</translation>
    </message>
    <message>
        <source>Can&apos;t allocate new record!</source>
        <translation>Ein neuer Datensatz kann nicht angelegt werden!</translation>
    </message>
    <message>
        <source>Error while reading file!</source>
        <translation>Fehler beim Lesen der Datei!</translation>
    </message>
    <message>
        <source>Record size error !</source>
        <translation>Fehler in der Datensatzgröße!</translation>
    </message>
    <message>
        <source>This file holds no test result!</source>
        <translation>Diese Datei enthält kein Testergebnis!</translation>
    </message>
    <message>
        <source>Error: file format</source>
        <translation>Fehler: Dateiformat</translation>
    </message>
    <message>
        <source>Insufficient memory to copy the selection
Please limit your selection</source>
        <translation>Nicht genügend Speicher, um die Auswahl zu kopieren
Bitte verkleinern Sie Ihre Auswahl</translation>
    </message>
    <message>
        <source>The Clipboard is not free to copy the selection
</source>
        <translation>Die Zwischenablage ist nicht frei, um die Auswahl zu kopieren
</translation>
    </message>
    <message>
        <source>Too many frames are selected. Only the first %d frames are copied</source>
        <translation>Zu viele Rahmen ausgewählt. Nur die ersten %d Rahmen werden kopiert</translation>
    </message>
    <message>
        <source>No or incorrect answer from PLM-45
Check equipment, serial cable, baud rate</source>
        <translation>Keine oder falsche Antwort vom PLM-45
Gerät, serielles Kabel und Baudrate prüfen</translation>
    </message>
    <message>
        <source>Project %d does not exist</source>
        <translation>Projekt %d existiert nicht</translation>
    </message>
    <message>
        <source>File could not be saved</source>
        <translation>Die Datei konnte nicht gespeichert werden</translation>
    </message>
    <message>
        <source>File Error</source>
        <translation>Dateifehler</translation>
    </message>
    <message>
        <source>Existing file</source>
        <translation>Vorhandene Datei</translation>
    </message>
    <message>
        <source>The file %s already exists in this destination directory.
Do you want to overwrite it?</source>
        <translation>Die Datei %s ist in diesem Zielverzeichnis bereits vorhanden.
Möchten Sie sie überschreiben?</translation>
    </message>
    <message>
        <source>The comment text can not be updated.
An error occured when saving it in the file: %s</source>
        <translation>Der Kommentartext kann nicht aktualisiert werden.
Beim Speichern in der Datei ist ein Fehler aufgetreten: %s</translation>
    </message>
    <message>
        <source>The capture is damaged: %s</source>
        <translation>Die Aufzeichnung ist beschädigt: %s</translation>
    </message>
    <message>
        <source>Damaged capture</source>
        <translation>Beschädigte Aufzeichnung</translation>
    </message>
    <message>
        <source>Error: the file is larger than 64 MB, more than a PLM-45 project can be</source>
        <translation>Fehler: Die Datei ist größer als 64 MB, mehr als ein PLM-45-Projekt sein kann</translation>
    </message>
</context>
<context>
    <name>qv::PlmFiltersDialog</name>
    <message>
        <source>PLM-45 Filters</source>
        <translation>PLM-45-Filter</translation>
    </message>
    <message>
        <source>Show &amp;All</source>
        <translation>&amp;Alle anzeigen</translation>
    </message>
    <message>
        <source>Hid&amp;e All</source>
        <translation>Alle aus&amp;blenden</translation>
    </message>
    <message>
        <source>Columns of the project window</source>
        <translation>Spalten des Projektfensters</translation>
    </message>
</context>
<context>
    <name>qv::PlmFindDialog</name>
    <message>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Fi&amp;nd what:</source>
        <translation>Suchen &amp;nach:</translation>
    </message>
    <message>
        <source>&amp;Up</source>
        <translation>Nach &amp;oben</translation>
    </message>
    <message>
        <source>&amp;Down</source>
        <translation>Nach &amp;unten</translation>
    </message>
    <message>
        <source>Match &amp;case</source>
        <translation>&amp;Groß-/Kleinschreibung beachten</translation>
    </message>
</context>
<context>
    <name>qv::PlmModel</name>
    <message>
        <source>Line num.</source>
        <translation>Leitung Nr.</translation>
    </message>
    <message>
        <source>Velocity</source>
        <translation>Geschw.</translation>
    </message>
    <message>
        <source>Impedance</source>
        <translation>Impedanz</translation>
    </message>
    <message>
        <source>Pairs</source>
        <translation>Paare</translation>
    </message>
    <message>
        <source>Cable Type</source>
        <translation>Kabeltyp</translation>
    </message>
    <message>
        <source>Used Pins</source>
        <translation>Belegte Pins</translation>
    </message>
    <message>
        <source>Wire Resist.</source>
        <translation>Aderwid.</translation>
    </message>
    <message>
        <source>L. open pair</source>
        <translation>L. offenes Paar</translation>
    </message>
    <message>
        <source>L. short pair</source>
        <translation>L. Kurzschl.-Paar</translation>
    </message>
    <message>
        <source>Resist. Wire</source>
        <translation>Wid.-Ader</translation>
    </message>
    <message>
        <source>Power1</source>
        <translation>Speisung1</translation>
    </message>
    <message>
        <source>Power1L</source>
        <translation>Speisung1L</translation>
    </message>
    <message>
        <source>Power2</source>
        <translation>Speisung2</translation>
    </message>
    <message>
        <source>Power2L</source>
        <translation>Speisung2L</translation>
    </message>
    <message>
        <source>Tx Act.</source>
        <translation>Tx-Akt.</translation>
    </message>
    <message>
        <source>Rx Act.</source>
        <translation>Rx-Akt.</translation>
    </message>
    <message>
        <source>ISDN data</source>
        <translation>ISDN-Daten</translation>
    </message>
    <message>
        <source>L. open value</source>
        <translation>L. Unterbrechung</translation>
    </message>
    <message>
        <source>L. short value</source>
        <translation>L. Kurzschluss</translation>
    </message>
    <message>
        <source>DC Wire Resist.</source>
        <translation>DC-Aderwid.</translation>
    </message>
    <message>
        <source>Tx Term.</source>
        <translation>Tx-Abschl.</translation>
    </message>
    <message>
        <source>Rx Term.</source>
        <translation>Rx-Abschl.</translation>
    </message>
    <message>
        <source>Wires open</source>
        <translation>Offene Adern</translation>
    </message>
    <message>
        <source>Short </source>
        <translation>Kurzschluss </translation>
    </message>
    <message>
        <source>Order</source>
        <translation>Reihenfolge</translation>
    </message>
    <message>
        <source>Split pairs</source>
        <translation>Geteilte Paare</translation>
    </message>
</context>
<context>
    <name>qv::PlmWindow</name>
    <message>
        <source> - Project %1</source>
        <translation> - Projekt %1</translation>
    </message>
    <message>
        <source>Reached the last line: the find went on from the first</source>
        <translation>Letzte Zeile erreicht: die Suche wurde bei der ersten fortgesetzt</translation>
    </message>
    <message>
        <source>Reached the first line: the find went on from the last</source>
        <translation>Erste Zeile erreicht: die Suche wurde bei der letzten fortgesetzt</translation>
    </message>
    <message>
        <source>Cannot find the string &apos;%1&apos;</source>
        <translation>Die Zeichenfolge „%1“ wurde nicht gefunden</translation>
    </message>
</context>
<context>
    <name>qv::PlmWords</name>
    <message>
        <source>not meas.</source>
        <translation>n. gem.</translation>
    </message>
    <message>
        <source>no</source>
        <translation>nein</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>ja</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message>
        <source>spikes</source>
        <translation>Spitzen</translation>
    </message>
    <message>
        <source>low</source>
        <translation>niedrig</translation>
    </message>
    <message>
        <source>hi-Z</source>
        <translation>hochohmig</translation>
    </message>
    <message>
        <source>flat</source>
        <translation>flach</translation>
    </message>
    <message>
        <source>tp</source>
        <translation>verdr.</translation>
    </message>
    <message>
        <source>quad</source>
        <translation>Vierer</translation>
    </message>
    <message>
        <source>custom</source>
        <translation>benutzerdef.</translation>
    </message>
</context>
<context>
    <name>qv::PrintDialog</name>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>Frames</source>
        <translation>Rahmen</translation>
    </message>
    <message>
        <source>&amp;Selection</source>
        <translation>&amp;Auswahl</translation>
    </message>
    <message>
        <source>&amp;Current to End</source>
        <translation>Vom aktuellen bis zum &amp;Ende</translation>
    </message>
    <message>
        <source>&amp;All</source>
        <translation>A&amp;lle</translation>
    </message>
    <message>
        <source>&amp;Range</source>
        <translation>&amp;Bereich</translation>
    </message>
    <message>
        <source>From</source>
        <translation>Von</translation>
    </message>
    <message>
        <source>To</source>
        <translation>Bis</translation>
    </message>
    <message>
        <source>Summary print</source>
        <translation>Übersicht drucken</translation>
    </message>
    <message>
        <source>Detail print</source>
        <translation>Details drucken</translation>
    </message>
    <message>
        <source>Detail and hexa print</source>
        <translation>Details und Hexadezimalanzeige drucken</translation>
    </message>
    <message>
        <source>File &amp;Header</source>
        <translation>Datei&amp;kopf</translation>
    </message>
    <message>
        <source>Print c&amp;omment</source>
        <translation>Kommentar dr&amp;ucken</translation>
    </message>
    <message>
        <source>&amp;Format document</source>
        <translation>Dokument &amp;formatieren</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Drucken...</translation>
    </message>
    <message>
        <source>P&amp;DF...</source>
        <translation>&amp;PDF...</translation>
    </message>
    <message>
        <source>&amp;Text File...</source>
        <translation>&amp;Textdatei...</translation>
    </message>
    <message>
        <source>Print to PDF</source>
        <translation>Als PDF drucken</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>PDF-Dateien (*.pdf)</translation>
    </message>
    <message>
        <source>Print to File</source>
        <translation>In Datei drucken</translation>
    </message>
    <message>
        <source>Text files (*.txt)</source>
        <translation>Textdateien (*.txt)</translation>
    </message>
    <message>
        <source>Events</source>
        <translation>Ereignisse</translation>
    </message>
</context>
<context>
    <name>qv::PrintProgress</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>qv::ProductDialog</name>
    <message>
        <source>U-interface monitor placed on the line between the exchange and the NT1. It records the line&apos;s maintenance events: EOC messages, errors, power supply and activation, in real time or into its own memory to be fetched afterwards. Its files (*.dru) open in Examine mode.</source>
        <translation>U-Schnittstellen-Monitor, der auf der Leitung zwischen Vermittlungsstelle und NT1 eingeschleift wird. Er zeichnet die Wartungsereignisse der Leitung auf: EOC-Meldungen, Fehler, Fernspeisung und Aktivierung, in Echtzeit oder in seinem eigenen Speicher zum späteren Abruf. Seine Dateien (*.dru) werden im Modus Auswertung geöffnet.</translation>
    </message>
    <message>
        <source>Compact basic-rate tester for the S/T and U interfaces. Its D-channel captures (LAPD, call control, X.25) open in Examine mode, its stored test results in View Results mode.</source>
        <translation>Kompakter Tester für den Basisanschluss an den S/T- und U-Schnittstellen. Seine D-Kanal-Aufzeichnungen (LAPD, Rufsteuerung, X.25) werden im Modus Auswertung geöffnet, seine gespeicherten Testergebnisse im Modus Ergebnisse anzeigen.</translation>
    </message>
    <message>
        <source>Basic-rate ISDN tester for the S/T interface (LVT-30) or the U interface (LVT-30U). It captures the D channel on site or in real time over the serial link; captures open in Examine mode, test results in View Results mode.</source>
        <translation>ISDN-Tester für den Basisanschluss an der S/T-Schnittstelle (LVT-30) oder der U-Schnittstelle (LVT-30U). Er zeichnet den D-Kanal vor Ort oder in Echtzeit über die serielle Verbindung auf; Aufzeichnungen werden im Modus Auswertung geöffnet, Testergebnisse im Modus Ergebnisse anzeigen.</translation>
    </message>
    <message>
        <source>ISDN tester for basic and primary rate access. Besides call control and X.25 it captures the V5.1/V5.2 signalling between an access network and its exchange, decoded as such when V5 decoding is on.</source>
        <translation>ISDN-Tester für Basis- und Primärmultiplexanschluss. Neben Rufsteuerung und X.25 zeichnet er die V5.1/V5.2-Signalisierung zwischen einem Zugangsnetz und seiner Vermittlungsstelle auf, die bei eingeschalteter V5-Decodierung als solche decodiert wird.</translation>
    </message>
    <message>
        <source>Line measurement set for copper pairs. Its measurements are kept in projects, fetched over the serial link and shown as tables in View Results mode (*.plm).</source>
        <translation>Leitungsmessgerät für Kupferdoppeladern. Seine Messungen werden in Projekten gespeichert, über die serielle Verbindung abgerufen und im Modus Ergebnisse anzeigen als Tabellen dargestellt (*.plm).</translation>
    </message>
    <message>
        <source>ISDN protocol monitor for the S0 interface. Its captures (*.mon) share the LVT file layout and open in Examine mode.</source>
        <translation>ISDN-Protokollmonitor für die S0-Schnittstelle. Seine Aufzeichnungen (*.mon) haben das LVT-Dateiformat und werden im Modus Auswertung geöffnet.</translation>
    </message>
    <message>
        <source>ISDN protocol monitor for basic and primary rate access (S0 and S2M). Its captures (*.mon) share the LVT file layout and open in Examine mode.</source>
        <translation>ISDN-Protokollmonitor für Basis- und Primärmultiplexanschluss (S0 und S2M). Seine Aufzeichnungen (*.mon) haben das LVT-Dateiformat und werden im Modus Auswertung geöffnet.</translation>
    </message>
    <message>
        <source>Product Selection</source>
        <translation>Produktauswahl</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>&amp;V5 decoding (V5.1/V5.2 captures)</source>
        <translation>&amp;V5-Decodierung (V5.1/V5.2-Aufzeichnungen)</translation>
    </message>
    <message>
        <source>Only the LVT-60 captures V5 signalling</source>
        <translation>Nur der LVT-60 zeichnet V5-Signalisierung auf</translation>
    </message>
    <message>
        <source>Choose the instrument the PC works with:</source>
        <translation>Wählen Sie das Gerät, mit dem der PC arbeitet:</translation>
    </message>
</context>
<context>
    <name>qv::ProfilePage</name>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>&amp;Load</source>
        <translation>&amp;Laden</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>Profiles</source>
        <translation>Profile</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Profilname</translation>
    </message>
    <message>
        <source>Enter a profile name without / or \.</source>
        <translation>Geben Sie einen Profilnamen ohne / oder \ ein.</translation>
    </message>
    <message>
        <source>The profile %1 exists.
Do you want to replace it?</source>
        <translation>Das Profil %1 ist bereits vorhanden.
Möchten Sie es ersetzen?</translation>
    </message>
    <message>
        <source>The profile %1 can not be written in %2.</source>
        <translation>Das Profil %1 kann nicht in %2 geschrieben werden.</translation>
    </message>
    <message>
        <source>The profile %1 can not be read.</source>
        <translation>Das Profil %1 kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>Delete the profile %1?</source>
        <translation>Das Profil %1 löschen?</translation>
    </message>
    <message>
        <source>The profile %1 can not be deleted.</source>
        <translation>Das Profil %1 kann nicht gelöscht werden.</translation>
    </message>
</context>
<context>
    <name>qv::ProtocolInformationDialog</name>
    <message>
        <source>Protocol Information</source>
        <translation>Protokollinformationen</translation>
    </message>
    <message>
        <source>The V5 fields are always shown while V5 decoding is on.</source>
        <translation>Die V5-Felder werden bei eingeschalteter V5-Decodierung immer angezeigt.</translation>
    </message>
    <message>
        <source>The V5 fields are available with V5 decoding only.</source>
        <translation>Die V5-Felder sind nur mit V5-Decodierung verfügbar.</translation>
    </message>
    <message>
        <source>Set All Defaul&amp;t</source>
        <translation>Alle auf &amp;Standard</translation>
    </message>
    <message>
        <source>Fields of the frame summary</source>
        <translation>Felder der Rahmenübersicht</translation>
    </message>
    <message>
        <source>Always shown while V5 decoding is on</source>
        <translation>Bei eingeschalteter V5-Decodierung immer angezeigt</translation>
    </message>
    <message>
        <source>Available with V5 decoding only</source>
        <translation>Nur mit V5-Decodierung verfügbar</translation>
    </message>
</context>
<context>
    <name>qv::ProtocolSetupDialog</name>
    <message>
        <source>Protocol Setup</source>
        <translation>Protokoll einrichten</translation>
    </message>
    <message>
        <source>&amp;Protocol Names</source>
        <translation>&amp;Protokollnamen</translation>
    </message>
    <message>
        <source>V5.1/V5.2 Encapsulated</source>
        <translation>V5.1/V5.2 gekapselt</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translatorcomment>OK is the same in every language</translatorcomment>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Choose the layer-3 protocol that the tester&apos;s network speaks: call-control messages are decoded with the notation tables of that protocol. The open captures are decoded again with it at once.&lt;br&gt;&lt;br&gt;&lt;b&gt;V5.1/V5.2 Encapsulated&lt;/b&gt; (LVT-60 only): the captures carry V5 signalling between an access network and its exchange, and are decoded as V5.</source>
        <translation>Wählen Sie das Schicht-3-Protokoll, das im Netz des Testers verwendet wird: Rufsteuerungsnachrichten werden mit den Notationstabellen dieses Protokolls decodiert. Die geöffneten Aufzeichnungen werden sofort damit neu decodiert.&lt;br&gt;&lt;br&gt;&lt;b&gt;V5.1/V5.2 gekapselt&lt;/b&gt; (nur LVT-60): die Aufzeichnungen enthalten V5-Signalisierung zwischen einem Zugangsnetz und seiner Vermittlungsstelle und werden als V5 decodiert.</translation>
    </message>
</context>
<context>
    <name>qv::ResultWindow</name>
    <message>
        <source>The report cannot be written to this file!</source>
        <translation>Der Bericht kann nicht in diese Datei geschrieben werden!</translation>
    </message>
</context>
<context>
    <name>qv::SearchDialog</name>
    <message>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Direction</source>
        <translation>Richtung</translation>
    </message>
    <message>
        <source>&amp;Forward</source>
        <translation>Vor&amp;wärts</translation>
    </message>
    <message>
        <source>&amp;Backward</source>
        <translation>&amp;Rückwärts</translation>
    </message>
    <message>
        <source>C&amp;ase sensitive</source>
        <translation>&amp;Groß-/Kleinschreibung beachten</translation>
    </message>
    <message>
        <source>Find &amp;Next</source>
        <translation>Weiter&amp;suchen</translation>
    </message>
</context>
<context>
    <name>qv::SerialLinkSetupDialog</name>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message>
        <source>even</source>
        <translation>gerade</translation>
    </message>
    <message>
        <source>odd</source>
        <translation>ungerade</translation>
    </message>
    <message>
        <source>Serial Link Setup</source>
        <translation>Einstellungen der seriellen Verbindung</translation>
    </message>
    <message>
        <source>The device this port stands for on this computer: one of the detected ports, or a path typed in (a link made by quorvane-cli simulate, say)</source>
        <translation>Das Gerät, für das dieser Anschluss auf diesem Computer steht: einer der erkannten Anschlüsse oder ein eingegebener Pfad (etwa ein Link von quorvane-cli simulate)</translation>
    </message>
    <message>
        <source>&amp;Refresh</source>
        <translation>&amp;Aktualisieren</translation>
    </message>
    <message>
        <source>Look for serial ports again (after plugging in a USB adapter)</source>
        <translation>Erneut nach seriellen Anschlüssen suchen (nach dem Einstecken eines USB-Adapters)</translation>
    </message>
    <message>
        <source>Serial Port</source>
        <translation>Serieller Anschluss</translation>
    </message>
    <message>
        <source>Transfer Rate</source>
        <translation>Übertragungsrate</translation>
    </message>
    <message>
        <source>Capture Rate</source>
        <translation>Aufzeichnungsrate</translation>
    </message>
    <message>
        <source>Parity</source>
        <translation>Parität</translation>
    </message>
    <message>
        <source>Data bits</source>
        <translation>Datenbits</translation>
    </message>
    <message>
        <source>Protocol</source>
        <translation>Protokoll</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Gerät</translation>
    </message>
    <message>
        <source>%1 (unknown)</source>
        <translation>%1 (unbekannt)</translation>
    </message>
    <message>
        <source>Default (%1)</source>
        <translation>Standard (%1)</translation>
    </message>
    <message>
        <source>Choose a port from COM1 to COM4.</source>
        <translation>Wählen Sie einen Anschluss von COM1 bis COM4.</translation>
    </message>
    <message>
        <source>%1: %2 is not there now (not plugged in?).</source>
        <translation>%1: %2 ist zurzeit nicht vorhanden (nicht eingesteckt?).</translation>
    </message>
    <message>
        <source>%1: %2, %3.</source>
        <translation>%1 – %2, %3.</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1 – %2</translation>
    </message>
    <message>
        <source>%1: %2, that is %3.</source>
        <translation>%1 – %2, also %3.</translation>
    </message>
    <message>
        <source>%1: %2.</source>
        <translation>%1 – %2.</translation>
    </message>
</context>
<context>
    <name>qv::StatisticsDialog</name>
    <message>
        <source>Statistics - %1</source>
        <translation>Statistik - %1</translation>
    </message>
    <message>
        <source>Frames</source>
        <translation>Rahmen</translation>
    </message>
    <message>
        <source>First frame</source>
        <translation>Erster Rahmen</translation>
    </message>
    <message>
        <source>Last frame</source>
        <translation>Letzter Rahmen</translation>
    </message>
    <message>
        <source>Time span</source>
        <translation>Zeitspanne</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>Frame rate</source>
        <translation>Rahmenrate</translation>
    </message>
    <message>
        <source>%1 frames/s</source>
        <translation>%1 Rahmen/s</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>Aufzeichnung</translation>
    </message>
    <message>
        <source>Frames per layer</source>
        <translation>Rahmen je Schicht</translation>
    </message>
    <message>
        <source>Layer-2 frame types</source>
        <translation>Rahmentypen Schicht 2</translation>
    </message>
    <message>
        <source>Layer-3 messages</source>
        <translation>Meldungen Schicht 3</translation>
    </message>
    <message>
        <source>Causes</source>
        <translation>Ursachen</translation>
    </message>
    <message>
        <source>Data links</source>
        <translation>Datenverbindungen</translation>
    </message>
    <message>
        <source>Directions</source>
        <translation>Richtungen</translation>
    </message>
    <message>
        <source>Errors</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Layer</source>
        <translation>Schicht</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Protocol</source>
        <translation>Protokoll</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Meldung</translation>
    </message>
    <message>
        <source>Cause</source>
        <translation>Ursache</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Direction</source>
        <translation>Richtung</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Unbekannt</translation>
    </message>
    <message>
        <source>Layer 1 events</source>
        <translation>Ereignisse Schicht 1</translation>
    </message>
    <message>
        <source>Layer 2 only</source>
        <translation>Nur Schicht 2</translation>
    </message>
    <message>
        <source>Layer 3 call control</source>
        <translation>Schicht 3 Rufsteuerung</translation>
    </message>
    <message>
        <source>Layer 3 X.25</source>
        <translation>Schicht 3 X.25</translation>
    </message>
    <message>
        <source>Layer 3 TEI management</source>
        <translation>Schicht 3 TEI-Verwaltung</translation>
    </message>
    <message>
        <source>Layer 3 V5</source>
        <translation>Schicht 3 V5</translation>
    </message>
    <message>
        <source>Not decoded (bad status)</source>
        <translation>Nicht decodiert (schlechter Status)</translation>
    </message>
    <message>
        <source>TEI management</source>
        <translation>TEI-Verwaltung</translation>
    </message>
    <message>
        <source>Call control</source>
        <translation>Rufsteuerung</translation>
    </message>
    <message>
        <source>Displayed</source>
        <translation>Angezeigt</translation>
    </message>
    <message>
        <source>%1 (%2 of all frames)</source>
        <translation>%1 (%2 aller Rahmen)</translation>
    </message>
</context>
</TS>
