<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>QObject</name>
    <message>
        <source>(any)</source>
        <translation>(quelconque)</translation>
    </message>
</context>
<context>
    <name>qv::BackgroundWait</name>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Stopping...</source>
        <translation>Arrêt en cours...</translation>
    </message>
</context>
<context>
    <name>qv::CallsWindow</name>
    <message>
        <source>Calls - %1</source>
        <translation>Appels - %1</translation>
    </message>
    <message>
        <source>Call</source>
        <translation>Appel</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>TEI</source>
        <translation>TEI</translation>
    </message>
    <message>
        <source>Ref</source>
        <translation>Réf</translation>
    </message>
    <message>
        <source>Calling</source>
        <translation>Appelant</translation>
    </message>
    <message>
        <source>Called</source>
        <translation>Appelé</translation>
    </message>
    <message>
        <source>Bearer</source>
        <translation>Support</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Canal</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Début</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Durée</translation>
    </message>
    <message>
        <source>State</source>
        <translation>État</translation>
    </message>
    <message>
        <source>Ending</source>
        <translation>Fin</translation>
    </message>
    <message>
        <source>Cleared by</source>
        <translation>Libéré par</translation>
    </message>
    <message>
        <source>Cause</source>
        <translation>Cause</translation>
    </message>
    <message>
        <source>Frames</source>
        <translation>Trames</translation>
    </message>
    <message>
        <source> (overlap)</source>
        <translation> (chevauchement)</translation>
    </message>
    <message>
        <source>, unanswered</source>
        <translation>, sans réponse</translation>
    </message>
    <message>
        <source>%1, %2 unanswered</source>
        <translation>%1, %2 sans réponse</translation>
    </message>
    <message>
        <source>1 call</source>
        <translation>1 appel</translation>
    </message>
    <message>
        <source>%1 calls</source>
        <translation>%1 appels</translation>
    </message>
    <message>
        <source>setup</source>
        <translation>établissement</translation>
    </message>
    <message>
        <source>overlap</source>
        <translation>numérotation</translation>
    </message>
    <message>
        <source>proceeding</source>
        <translation>en cours</translation>
    </message>
    <message>
        <source>alerting</source>
        <translation>sonnerie</translation>
    </message>
    <message>
        <source>connected</source>
        <translation>connecté</translation>
    </message>
    <message>
        <source>disconnecting</source>
        <translation>déconnexion</translation>
    </message>
    <message>
        <source>released</source>
        <translation>libéré</translation>
    </message>
    <message>
        <source>open</source>
        <translation>ouvert</translation>
    </message>
    <message>
        <source>restart</source>
        <translation>redémarrage</translation>
    </message>
    <message>
        <source>link released</source>
        <translation>liaison libérée</translation>
    </message>
    <message>
        <source>line down</source>
        <translation>ligne coupée</translation>
    </message>
    <message>
        <source>Finding the calls</source>
        <translation>Recherche des appels</translation>
    </message>
    <message>
        <source>Drawing the call flow</source>
        <translation>Tracé du diagramme d&apos;appel</translation>
    </message>
</context>
<context>
    <name>qv::CaptureWindow</name>
    <message>
        <source>Frame %1</source>
        <translation>Trame %1</translation>
    </message>
    <message>
        <source>Go to Frame</source>
        <translation>Aller à la trame</translation>
    </message>
    <message>
        <source>Frame number:</source>
        <translation>Numéro de trame&#xa0;:</translation>
    </message>
    <message>
        <source> - Active Filters </source>
        <translation> - Filtres actifs </translation>
    </message>
    <message>
        <source>Printing frames...</source>
        <translation>Impression des trames...</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Rechercher</translation>
    </message>
    <message>
        <source>This is a V5 capture, decoded here as ISDN. To decode its V5 messages, check &quot;V5.1/V5.2 Encapsulated&quot; in Protocol Setup (LVT-60).</source>
        <translation>Cette capture est une capture V5, décodée ici en RNIS. Pour décoder ses messages V5, cochez « V5.1/V5.2 encapsulé » dans Configuration du protocole (LVT-60).</translation>
    </message>
    <message>
        <source>The profile %1 cannot be read</source>
        <translation>Le profil %1 ne peut pas être lu</translation>
    </message>
    <message>
        <source>Unknown key in &quot;%1&quot;</source>
        <translation>Clé inconnue dans «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>Value not allowed in &quot;%1&quot;</source>
        <translation>Valeur non admise dans «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>No value in &quot;%1&quot;: write key=value</source>
        <translation>Aucune valeur dans «&#xa0;%1&#xa0;»&#xa0;: écrivez clé=valeur</translation>
    </message>
    <message>
        <source>A quote is not closed in &quot;%1&quot;</source>
        <translation>Un guillemet n&apos;est pas fermé dans «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>&quot;%1&quot; gives a key a second time</source>
        <translation>«&#xa0;%1&#xa0;» donne une clé une deuxième fois</translation>
    </message>
    <message>
        <source>Filter on this value</source>
        <translation>Filtrer sur cette valeur</translation>
    </message>
    <message>
        <source>Add to filter</source>
        <translation>Ajouter au filtre</translation>
    </message>
    <message>
        <source>Clear filter</source>
        <translation>Effacer le filtre</translation>
    </message>
    <message>
        <source>Displayed %1 of %2</source>
        <translation>%1 affichées sur %2</translation>
    </message>
    <message>
        <source>%1 (scanning... %2%)</source>
        <translation>%1 (recherche... %2&#xa0;%)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; applies to layer 2: show layer 2 too (layer=2 or layer=2,3)</source>
        <translation>«&#xa0;%1&#xa0;» s&apos;applique au niveau 2&#xa0;: affichez aussi le niveau 2 (layer=2 ou layer=2,3)</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copier</translation>
    </message>
    <message>
        <source>Copy All</source>
        <translation>Tout copier</translation>
    </message>
    <message>
        <source>Expand All</source>
        <translation>Tout développer</translation>
    </message>
    <message>
        <source>Collapse All</source>
        <translation>Tout réduire</translation>
    </message>
    <message>
        <source>Copy Octets as Hex</source>
        <translation>Copier les octets en hexadécimal</translation>
    </message>
    <message>
        <source>Find in the summary (F3, Shift+F3)</source>
        <translation>Rechercher dans le résumé (F3, Maj+F3)</translation>
    </message>
    <message>
        <source>F&amp;ind:</source>
        <translation>Rec&amp;hercher&#xa0;:</translation>
    </message>
    <message>
        <source>Find the previous row holding the text (Shift+F3)</source>
        <translation>Rechercher la ligne précédente contenant le texte (Maj+F3)</translation>
    </message>
    <message>
        <source>Find the next row holding the text (F3)</source>
        <translation>Rechercher la ligne suivante contenant le texte (F3)</translation>
    </message>
</context>
<context>
    <name>qv::ColourSelectionDialog</name>
    <message>
        <source>TE-&gt;NT   Layer 1 event</source>
        <translation>TE-&gt;NT   Événement de niveau 1</translation>
    </message>
    <message>
        <source>NT-&gt;TE   Layer 1 event</source>
        <translation>NT-&gt;TE   Événement de niveau 1</translation>
    </message>
    <message>
        <source>TE-&gt;NT   Layer 2 frame</source>
        <translation>TE-&gt;NT   Trame de niveau 2</translation>
    </message>
    <message>
        <source>NT-&gt;TE   Layer 2 frame</source>
        <translation>NT-&gt;TE   Trame de niveau 2</translation>
    </message>
    <message>
        <source>TE-&gt;NT   ISDN layer 3 message</source>
        <translation>TE-&gt;NT   Message RNIS de niveau 3</translation>
    </message>
    <message>
        <source>NT-&gt;TE   ISDN layer 3 message</source>
        <translation>NT-&gt;TE   Message RNIS de niveau 3</translation>
    </message>
    <message>
        <source>TE-&gt;NT   X.25 packet</source>
        <translation>TE-&gt;NT   Paquet X.25</translation>
    </message>
    <message>
        <source>NT-&gt;TE   X.25 packet</source>
        <translation>NT-&gt;TE   Paquet X.25</translation>
    </message>
    <message>
        <source>LT-&gt;NT   U interface</source>
        <translation>LT-&gt;NT   Interface U</translation>
    </message>
    <message>
        <source>NT-&gt;LT   U interface</source>
        <translation>NT-&gt;LT   Interface U</translation>
    </message>
    <message>
        <source>Found item</source>
        <translation>Élément trouvé</translation>
    </message>
    <message>
        <source>Color Selection</source>
        <translation>Choix des couleurs</translation>
    </message>
    <message>
        <source>&amp;Use colors in the frame views</source>
        <translation>&amp;Utiliser des couleurs dans les vues des trames</translation>
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
        <translation>Trames RNIS</translation>
    </message>
    <message>
        <source>Layer 1 text</source>
        <translation>Texte de niveau 1</translation>
    </message>
    <message>
        <source>Layer 2 text</source>
        <translation>Texte de niveau 2</translation>
    </message>
    <message>
        <source>ISDN layer 3 text</source>
        <translation>Texte RNIS de niveau 3</translation>
    </message>
    <message>
        <source>X.25 layer 3 text</source>
        <translation>Texte X.25 de niveau 3</translation>
    </message>
    <message>
        <source>Row background</source>
        <translation>Fond de la ligne</translation>
    </message>
    <message>
        <source>U interface</source>
        <translation>Interface U</translation>
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
        <translation>Texte</translation>
    </message>
    <message>
        <source>Item found by a search</source>
        <translation>Élément trouvé par une recherche</translation>
    </message>
    <message>
        <source>Background</source>
        <translation>Fond</translation>
    </message>
    <message>
        <source>&amp;Default Colors</source>
        <translation>Couleurs par &amp;défaut</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Aperçu</translation>
    </message>
</context>
<context>
    <name>qv::ColumnChoiceDialog</name>
    <message>
        <source>%1 : %2</source>
        <translation>%1&#xa0;: %2</translation>
    </message>
    <message>
        <source>This field can not be hidden</source>
        <translation>Ce champ ne peut pas être masqué</translation>
    </message>
    <message>
        <source>Move &amp;Up</source>
        <translation>&amp;Monter</translation>
    </message>
    <message>
        <source>Move &amp;Down</source>
        <translation>&amp;Descendre</translation>
    </message>
    <message>
        <source>Show &amp;All</source>
        <translation>&amp;Tout afficher</translation>
    </message>
    <message>
        <source>Hid&amp;e All</source>
        <translation>Tout m&amp;asquer</translation>
    </message>
    <message>
        <source>&amp;Invert</source>
        <translation>&amp;Inverser</translation>
    </message>
    <message>
        <source>Space shows or hides the selected field.</source>
        <translation>La barre d&apos;espace affiche ou masque le champ sélectionné.</translation>
    </message>
</context>
<context>
    <name>qv::CommentWindow</name>
    <message>
        <source>Comment for </source>
        <translation>Commentaire de </translation>
    </message>
</context>
<context>
    <name>qv::Dru70EventModel</name>
    <message>
        <source>Number</source>
        <translation>Numéro</translation>
    </message>
    <message>
        <source>Date</source>
        <translatorcomment>the same word in French</translatorcomment>
        <translation>Date</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Heure</translation>
    </message>
    <message>
        <source>NT - LT</source>
        <translatorcomment>U-interface direction, the same in every language</translatorcomment>
        <translation>NT - LT</translation>
    </message>
    <message>
        <source>Events</source>
        <translation>Événements</translation>
    </message>
    <message>
        <source>EOC</source>
        <translatorcomment>acronym of the embedded operations channel, the same in every language</translatorcomment>
        <translation>EOC</translation>
    </message>
    <message>
        <source>Comments</source>
        <translation>Commentaires</translation>
    </message>
</context>
<context>
    <name>qv::Dru70FilterSheet</name>
    <message>
        <source>DRU-70 Off-Line Filters</source>
        <translation>Filtres hors ligne DRU-70</translation>
    </message>
    <message>
        <source>Display frames with</source>
        <translation>Afficher les trames avec</translation>
    </message>
    <message>
        <source>Activation</source>
        <translation>Activation de la ligne</translation>
    </message>
    <message>
        <source>Power Supply</source>
        <translation>Téléalimentation</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreurs</translation>
    </message>
    <message>
        <source>EOC</source>
        <translatorcomment>acronym of the embedded operations channel, the same in every language</translatorcomment>
        <translation>EOC</translation>
    </message>
    <message>
        <source>U interface activation and deactivation</source>
        <translation>Activation et désactivation de l&apos;interface U</translation>
    </message>
    <message>
        <source>Power supply status of the NT1</source>
        <translation>État de la téléalimentation du NT1</translation>
    </message>
    <message>
        <source>Block errors (NEBE, FEBE)</source>
        <translation>Erreurs de bloc (NEBE, FEBE)</translation>
    </message>
    <message>
        <source>Embedded operations channel: loop-backs, maintenance and AIB</source>
        <translation>Canal d&apos;exploitation intégré&#xa0;: bouclages, maintenance et AIB</translation>
    </message>
    <message>
        <source>Events</source>
        <translation>Événements</translation>
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
        <translation>C&amp;haîne de caractères</translation>
    </message>
    <message>
        <source>&amp;Event</source>
        <translation>&amp;Événement</translation>
    </message>
</context>
<context>
    <name>qv::Dru70ProtocolInformationDialog</name>
    <message>
        <source>DRU-70 Protocol Information</source>
        <translation>Informations protocole DRU-70</translation>
    </message>
    <message>
        <source>Defaul&amp;t</source>
        <translation>Par dé&amp;faut</translation>
    </message>
    <message>
        <source>Fields of the DRU-70 event list</source>
        <translation>Champs de la liste des événements DRU-70</translation>
    </message>
</context>
<context>
    <name>qv::Dru70Window</name>
    <message>
        <source> - Active Filters </source>
        <translation> - Filtres actifs </translation>
    </message>
    <message>
        <source>Press ESCAPE to stop the find function</source>
        <translation>Appuyez sur ÉCHAP pour arrêter la recherche</translation>
    </message>
    <message>
        <source>Program has reached the last frame!
Do you want to go to the first frame?</source>
        <translation>Le programme a atteint la dernière trame&#xa0;!
Voulez-vous aller à la première trame&#xa0;?</translation>
    </message>
    <message>
        <source>Program has reached the first frame!
Do you want to go to the last frame?</source>
        <translation>Le programme a atteint la première trame&#xa0;!
Voulez-vous aller à la dernière trame&#xa0;?</translation>
    </message>
    <message>
        <source>String found once</source>
        <translation>Chaîne trouvée une fois</translation>
    </message>
    <message>
        <source>String found twice</source>
        <translation>Chaîne trouvée deux fois</translation>
    </message>
    <message>
        <source>String found %1 times</source>
        <translation>Chaîne trouvée %1 fois</translation>
    </message>
    <message>
        <source>Event found once</source>
        <translation>Événement trouvé une fois</translation>
    </message>
    <message>
        <source>Event found twice</source>
        <translation>Événement trouvé deux fois</translation>
    </message>
    <message>
        <source>Event found %1 times</source>
        <translation>Événement trouvé %1 fois</translation>
    </message>
    <message>
        <source>String not found!</source>
        <translation>Chaîne introuvable&#xa0;!</translation>
    </message>
    <message>
        <source>Event not found!</source>
        <translation>Événement introuvable&#xa0;!</translation>
    </message>
    <message>
        <source>Go to Frame</source>
        <translation>Aller à la trame</translation>
    </message>
    <message>
        <source>Frame number:</source>
        <translation>Numéro de trame&#xa0;:</translation>
    </message>
    <message>
        <source>This frame is suppressed by filtering
Do you want to reach the nearest frame</source>
        <translation>Cette trame est supprimée par le filtrage
Voulez-vous atteindre la trame la plus proche</translation>
    </message>
    <message>
        <source>File : %1</source>
        <translation>Fichier&#xa0;: %1</translation>
    </message>
    <message>
        <source>Instrument : %1</source>
        <translation>Appareil&#xa0;: %1</translation>
    </message>
    <message>
        <source>Serial number : %1</source>
        <translation>Numéro de série&#xa0;: %1</translation>
    </message>
    <message>
        <source>Versions : %1 %2</source>
        <translation>Versions&#xa0;: %1 %2</translation>
    </message>
    <message>
        <source>Start : %1</source>
        <translation>Début&#xa0;: %1</translation>
    </message>
    <message>
        <source>End : %1</source>
        <translation>Fin&#xa0;: %1</translation>
    </message>
    <message>
        <source>Events : %1</source>
        <translation>Événements&#xa0;: %1</translation>
    </message>
    <message>
        <source>The events to print are numbered from 1 to %1, the first not after the last.</source>
        <translation>Les événements à imprimer sont numérotés de 1 à %1, le premier ne venant pas après le dernier.</translation>
    </message>
    <message>
        <source>Printing events...</source>
        <translation>Impression des événements...</translation>
    </message>
    <message>
        <source>Insufficient memory to print frames
Please decrease the number of frames</source>
        <translation>Mémoire insuffisante pour imprimer les trames
Veuillez réduire le nombre de trames</translation>
    </message>
    <message>
        <source>The printing file can not be opened</source>
        <translation>Le fichier d&apos;impression ne peut pas être ouvert</translation>
    </message>
</context>
<context>
    <name>qv::ExpertWindow</name>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Remarque</translation>
    </message>
    <message>
        <source>Expert Information - %1</source>
        <translation>Informations d&apos;expert - %1</translation>
    </message>
    <message>
        <source>Severity</source>
        <translation>Gravité</translation>
    </message>
    <message>
        <source>Frame</source>
        <translation>Trame</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>Groupe</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Texte</translation>
    </message>
    <message>
        <source>%1, %2, %3 in %4</source>
        <translation>%1, %2, %3 sur %4</translation>
    </message>
    <message>
        <source>1 error</source>
        <translation>1 erreur</translation>
    </message>
    <message>
        <source>%1 errors</source>
        <translation>%1 erreurs</translation>
    </message>
    <message>
        <source>1 warning</source>
        <translation>1 avertissement</translation>
    </message>
    <message>
        <source>%1 warnings</source>
        <translation>%1 avertissements</translation>
    </message>
    <message>
        <source>1 note</source>
        <translation>1 remarque</translation>
    </message>
    <message>
        <source>%1 notes</source>
        <translation>%1 remarques</translation>
    </message>
    <message>
        <source>1 data link</source>
        <translation>1 liaison de données</translation>
    </message>
    <message>
        <source>%1 data links</source>
        <translation>%1 liaisons de données</translation>
    </message>
    <message>
        <source>Sequence</source>
        <translation>Séquence</translation>
    </message>
    <message>
        <source>Retransmission</source>
        <translation>Retransmission</translation>
    </message>
    <message>
        <source>Timer</source>
        <translation>Temporisation</translation>
    </message>
    <message>
        <source>Link</source>
        <translation>Liaison</translation>
    </message>
    <message>
        <source>TEI</source>
        <translation>TEI</translation>
    </message>
    <message>
        <source>Analysing the data links</source>
        <translation>Analyse des liaisons de données</translation>
    </message>
    <message>
        <source>All findings</source>
        <translation>Toutes les constatations</translation>
    </message>
    <message>
        <source>Warnings and errors</source>
        <translation>Avertissements et erreurs</translation>
    </message>
    <message>
        <source>Errors only</source>
        <translation>Erreurs seulement</translation>
    </message>
    <message>
        <source>Show:</source>
        <translation>Afficher&#xa0;:</translation>
    </message>
    <message>
        <source>1 finding</source>
        <translation>1 constatation</translation>
    </message>
    <message>
        <source>%1 findings</source>
        <translation>%1 constatations</translation>
    </message>
    <message>
        <source>Bad frame</source>
        <translation>Trame erronée</translation>
    </message>
    <message>
        <source>Layer 1</source>
        <translation>Niveau 1</translation>
    </message>
    <message>
        <source>Clearing</source>
        <translation>Libération</translation>
    </message>
    <message>
        <source>Call</source>
        <translation>Appel</translation>
    </message>
</context>
<context>
    <name>qv::FilterBar</name>
    <message>
        <source>Filter:</source>
        <translation>Filtre&#xa0;:</translation>
    </message>
    <message>
        <source>e.g. tei=64 msg=SETUP cause=16 local=0123* (Enter applies)</source>
        <translation>p. ex. tei=64 msg=SETUP cause=16 local=0123* (Entrée applique)</translation>
    </message>
    <message>
        <source>Terms key=value separated by blanks, values with blanks in double quotes.
Keys: layer=1,2,3  sapi  tei  dir=TE-&gt;NT  frame=RR  rr=no  efa  cr (hex)
local, remote (* for any leading or trailing digits)  pd (hex)  msg=SETUP
cause (decimal, 0x.. or a name)  lcn  packet  x25local  x25remote  cug</source>
        <translation>Termes clé=valeur séparés par des blancs, valeurs avec blancs entre guillemets droits.
Clés&#xa0;: layer=1,2,3  sapi  tei  dir=TE-&gt;NT  frame=RR  rr=no  efa  cr (hex)
local, remote (* pour des chiffres quelconques au début ou à la fin)  pd (hex)  msg=SETUP
cause (décimale, 0x.. ou un nom)  lcn  packet  x25local  x25remote  cug</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Appliquer</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Effacer</translation>
    </message>
    <message>
        <source>Profiles</source>
        <translation>Profils</translation>
    </message>
    <message>
        <source>Apply a saved off-line filter profile</source>
        <translation>Appliquer un profil de filtre hors ligne enregistré</translation>
    </message>
    <message>
        <source>(no saved profile)</source>
        <translation>(aucun profil enregistré)</translation>
    </message>
</context>
<context>
    <name>qv::FilterSheet</name>
    <message>
        <source>Off-Line Filters</source>
        <translation>Filtres hors ligne</translation>
    </message>
    <message>
        <source>Real-Time Filters</source>
        <translation>Filtres temps réel</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Général</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>Affichage</translation>
    </message>
    <message>
        <source>Layer 1 events</source>
        <translation>Événements de niveau 1</translation>
    </message>
    <message>
        <source>Layer 2 frames</source>
        <translation>Trames de niveau 2</translation>
    </message>
    <message>
        <source>Layer 3 frames</source>
        <translation>Trames de niveau 3</translation>
    </message>
    <message>
        <source>Layer 2</source>
        <translation>Niveau 2</translation>
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
        <translation>Sens</translation>
    </message>
    <message>
        <source>Frame</source>
        <translation>Type de trame</translation>
    </message>
    <message>
        <source>Keep RR frames</source>
        <translation>Conserver les trames RR</translation>
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
        <translation>%1&#xa0;: tous les ports utilisateur</translation>
    </message>
    <message>
        <source>(any)</source>
        <translation>(quelconque)</translation>
    </message>
    <message>
        <source>L3 address</source>
        <translation>Adresse de niveau 3</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Type de message</translation>
    </message>
    <message>
        <source>ISDN Layer 3</source>
        <translation>Niveau 3 RNIS</translation>
    </message>
    <message>
        <source>Call reference (hex)</source>
        <translation>Référence d&apos;appel (hex)</translation>
    </message>
    <message>
        <source>Local address</source>
        <translation>Adresse locale</translation>
    </message>
    <message>
        <source>Remote address</source>
        <translation>Adresse distante</translation>
    </message>
    <message>
        <source>Protocol discriminator (hex)</source>
        <translation>Discriminateur de protocole (hex)</translation>
    </message>
    <message>
        <source>Cause</source>
        <translation>Valeur de cause</translation>
    </message>
    <message>
        <source>X.25 Layer 3</source>
        <translation>Niveau 3 X.25</translation>
    </message>
    <message>
        <source>Logical channel (hex)</source>
        <translation>Voie logique (hex)</translation>
    </message>
    <message>
        <source>Display Packets with</source>
        <translation>Afficher les paquets avec</translation>
    </message>
    <message>
        <source>Closed user group</source>
        <translation>Groupe fermé d&apos;usagers</translation>
    </message>
    <message>
        <source>Network user identification</source>
        <translation>Identification d&apos;usager du réseau</translation>
    </message>
    <message>
        <source>Keep data packets</source>
        <translation>Conserver les paquets de données</translation>
    </message>
    <message>
        <source>Packet</source>
        <translation>Paquet</translation>
    </message>
    <message>
        <source>Frame slicing</source>
        <translation>Troncature des trames</translation>
    </message>
    <message>
        <source>Profile</source>
        <translation>Profil</translation>
    </message>
    <message>
        <source>The call reference is a hexadecimal value from 0 to 7FFF.</source>
        <translation>La référence d&apos;appel est une valeur hexadécimale de 0 à 7FFF.</translation>
    </message>
    <message>
        <source>The logical channel is a hexadecimal value from 0 to FFF.</source>
        <translation>La voie logique est une valeur hexadécimale de 0 à FFF.</translation>
    </message>
    <message>
        <source>The protocol discriminator is a hexadecimal value from 0 to FF.</source>
        <translation>Le discriminateur de protocole est une valeur hexadécimale de 0 à FF.</translation>
    </message>
    <message>
        <source>local address</source>
        <translation>adresse locale</translation>
    </message>
    <message>
        <source>remote address</source>
        <translation>adresse distante</translation>
    </message>
    <message>
        <source>X.25 local address</source>
        <translation>adresse locale X.25</translation>
    </message>
    <message>
        <source>X.25 remote address</source>
        <translation>adresse distante X.25</translation>
    </message>
    <message>
        <source>The %1 is made of digits, with * for any digits at its start or its end.</source>
        <translation>L&apos;%1 se compose de chiffres, avec * pour des chiffres quelconques au début ou à la fin.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a cause of the list of causes.</source>
        <translation>«&#xa0;%1&#xa0;» ne figure pas dans la liste des causes.</translation>
    </message>
    <message>
        <source>The cause is a number from 0 to 127.</source>
        <translation>La cause est un nombre de 0 à 127.</translation>
    </message>
</context>
<context>
    <name>qv::FindDialog</name>
    <message>
        <source>&amp;String</source>
        <translation>C&amp;haîne de caractères</translation>
    </message>
    <message>
        <source>&amp;ISDN Message</source>
        <translation>Message RN&amp;IS</translation>
    </message>
    <message>
        <source>&amp;V5 Message</source>
        <translation>Message &amp;V5</translation>
    </message>
    <message>
        <source>&amp;X25 Message</source>
        <translation>Message &amp;X25</translation>
    </message>
    <message>
        <source>&amp;Cause</source>
        <translation>Valeur de ca&amp;use</translation>
    </message>
</context>
<context>
    <name>qv::FlowCanvas</name>
    <message>
        <source>Time</source>
        <translation>Heure</translation>
    </message>
</context>
<context>
    <name>qv::FlowWindow</name>
    <message>
        <source>Call Flow - %1</source>
        <translation>Flux d&apos;appel - %1</translation>
    </message>
    <message>
        <source>Export &amp;SVG...</source>
        <translation>Exporter en &amp;SVG...</translation>
    </message>
    <message>
        <source>Export &amp;PNG...</source>
        <translation>Exporter en &amp;PNG...</translation>
    </message>
    <message>
        <source>Export as SVG</source>
        <translation>Exporter en SVG</translation>
    </message>
    <message>
        <source>Export as PNG</source>
        <translation>Exporter en PNG</translation>
    </message>
    <message>
        <source>SVG pictures (*.svg)</source>
        <translation>Images SVG (*.svg)</translation>
    </message>
    <message>
        <source>PNG pictures (*.png)</source>
        <translation>Images PNG (*.png)</translation>
    </message>
    <message>
        <source> - the file cannot be written</source>
        <translation> - le fichier ne peut pas être écrit</translation>
    </message>
</context>
<context>
    <name>qv::FontDialog</name>
    <message>
        <source>Regular</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Italique</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Gras</translation>
    </message>
    <message>
        <source>Bold Italic</source>
        <translation>Gras italique</translation>
    </message>
    <message>
        <source>Fonts</source>
        <translation>Polices</translation>
    </message>
    <message>
        <source>Fi&amp;xed-pitch fonts only</source>
        <translation>Polices à &amp;chasse fixe uniquement</translation>
    </message>
    <message>
        <source>The hexadecimal trace lines up best in a fixed-pitch font</source>
        <translation>La trace hexadécimale s&apos;aligne au mieux avec une police à chasse fixe</translation>
    </message>
    <message>
        <source>&amp;Font:</source>
        <translation>&amp;Police&#xa0;:</translation>
    </message>
    <message>
        <source>Font st&amp;yle:</source>
        <translation>&amp;Style&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Size:</source>
        <translation>&amp;Taille&#xa0;:</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>Exemple</translation>
    </message>
    <message>
        <source>Not installed here: the views draw with a similar font</source>
        <translation>Non installée ici&#xa0;: les vues utilisent une police semblable</translation>
    </message>
</context>
<context>
    <name>qv::HexaFindDialog</name>
    <message>
        <source>Find on hexadecimal trace</source>
        <translation>Rechercher dans la trace hexadécimale</translation>
    </message>
    <message>
        <source>String :</source>
        <translation>Chaîne&#xa0;:</translation>
    </message>
    <message>
        <source>Hexadecimal value :</source>
        <translation>Valeur hexadécimale&#xa0;:</translation>
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
        <translation>Informations d&apos;&amp;expert...</translation>
    </message>
    <message>
        <source>&amp;Statistics...</source>
        <translation>&amp;Statistiques...</translation>
    </message>
    <message>
        <source>&amp;Calls...</source>
        <translation>&amp;Appels...</translation>
    </message>
    <message>
        <source>Call &amp;Flow...</source>
        <translation>&amp;Flux d&apos;appel...</translation>
    </message>
    <message>
        <source>This frame belongs to no call</source>
        <translation>Cette trame n&apos;appartient à aucun appel</translation>
    </message>
    <message>
        <source>&amp;Capture</source>
        <translation>&amp;Acquisition</translation>
    </message>
    <message>
        <source>&amp;Examine</source>
        <translation>&amp;Examen</translation>
    </message>
    <message>
        <source>&amp;View Results</source>
        <translation>&amp;Visualisation des résultats</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Barre d&apos;outils</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Prêt</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>&amp;Ouvrir...</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Fermer</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>&amp;Enregistrer sous...</translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation>E&amp;xporter...</translation>
    </message>
    <message>
        <source>Export (only the frames the active filters show)</source>
        <translation>Exporter (seulement les trames que montrent les filtres actifs)</translation>
    </message>
    <message>
        <source>Export (every frame)</source>
        <translation>Exporter (toutes les trames)</translation>
    </message>
    <message>
        <source>pcap for Wireshark (*.pcap)</source>
        <translation>pcap pour Wireshark (*.pcap)</translation>
    </message>
    <message>
        <source>pcapng for Wireshark (*.pcapng)</source>
        <translation>pcapng pour Wireshark (*.pcapng)</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Imprimer...</translation>
    </message>
    <message>
        <source>P&amp;rinter Setup...</source>
        <translation>&amp;Configuration de l&apos;impression...</translation>
    </message>
    <message>
        <source>&amp;Transfer...</source>
        <translation>&amp;Transférer...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Édition</translation>
    </message>
    <message>
        <source>&amp;Find...</source>
        <translation>&amp;Rechercher...</translation>
    </message>
    <message>
        <source>Find on Hexa &amp;Trace...</source>
        <translation>Rechercher dans la &amp;trace hexadécimale...</translation>
    </message>
    <message>
        <source>&amp;Go to Frame...</source>
        <translation>&amp;Aller à la trame...</translation>
    </message>
    <message>
        <source>Co&amp;mment...</source>
        <translation>Co&amp;mmentaire...</translation>
    </message>
    <message>
        <source>Off-Line &amp;Filters...</source>
        <translation>&amp;Filtres hors ligne...</translation>
    </message>
    <message>
        <source>Call-Ref on &amp;selection</source>
        <translation>Call-Ref de la &amp;sélection</translation>
    </message>
    <message>
        <source>&amp;Mode</source>
        <translatorcomment>the same word in French</translatorcomment>
        <translation>&amp;Mode</translation>
    </message>
    <message>
        <source>&amp;Product</source>
        <translation>&amp;Produit</translation>
    </message>
    <message>
        <source>Product &amp;Selection...</source>
        <translation>&amp;Sélection du produit...</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Affichage</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>&amp;Barre d&apos;outils</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>Barre d&apos;&amp;état</translation>
    </message>
    <message>
        <source>Restore Default &amp;Widths</source>
        <translation>Rétablir les &amp;largeurs par défaut</translation>
    </message>
    <message>
        <source>&amp;Hexa Trace</source>
        <translation>&amp;Trace hexadécimale</translation>
    </message>
    <message>
        <source>&amp;Capture Toolbar</source>
        <translation>Barre d&apos;outils d&apos;a&amp;cquisition</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translatorcomment>the same word in French</translatorcomment>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>&amp;Serial Link Setup...</source>
        <translation>Configuration de la liaison &amp;série...</translation>
    </message>
    <message>
        <source>&amp;Protocol Setup...</source>
        <translation>Configuration du &amp;protocole...</translation>
    </message>
    <message>
        <source>Protocol &amp;Information...</source>
        <translation>&amp;Informations protocole...</translation>
    </message>
    <message>
        <source>&amp;DRU-70 Protocol Information...</source>
        <translation>Informations protocole &amp;DRU-70...</translation>
    </message>
    <message>
        <source>PLM-45 &amp;Filters...</source>
        <translation>Filtres P&amp;LM-45...</translation>
    </message>
    <message>
        <source>F&amp;onts...</source>
        <translation>P&amp;olices...</translation>
    </message>
    <message>
        <source>&amp;Colors...</source>
        <translation>&amp;Couleurs...</translation>
    </message>
    <message>
        <source>&amp;English</source>
        <translation>A&amp;nglais</translation>
    </message>
    <message>
        <source>&amp;French</source>
        <translation>&amp;Français</translation>
    </message>
    <message>
        <source>&amp;German</source>
        <translation>&amp;Allemand</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Ai&amp;de</translation>
    </message>
    <message>
        <source>&amp;Reference Manual</source>
        <translation>&amp;Manuel de référence</translation>
    </message>
    <message>
        <source>Reference Manual</source>
        <translation>Manuel de référence</translation>
    </message>
    <message>
        <source>&lt;b&gt;Working modes&lt;/b&gt;&lt;br&gt;Examine: captures (.lvt, .mon) and DRU-70 files. View Results: test results and PLM-45 projects. Capture: real-time analysis.&lt;br&gt;&lt;br&gt;&lt;b&gt;File&lt;/b&gt;&lt;br&gt;Open (Ctrl+O) shows the files of the mode; the content decides the window a file opens in. Save As copies the capture with its comment. Print (Ctrl+P): the summary, the detail, or the detail with the hexadecimal trace, of the selection, from the current frame to the end, every frame or a range; to a printer, a PDF or a text file.&lt;br&gt;&lt;br&gt;&lt;b&gt;Edit&lt;/b&gt;&lt;br&gt;Find (Ctrl+F): a text, an ISDN, V5 or X.25 message, or a cause; Find Next goes on from the hit, Escape stops a long search. Find on Hexa Trace: text or octets in the selected frame. Go to Frame (Ctrl+G). Comment: the note stored in the capture, up to 2048 characters.&lt;br&gt;&lt;br&gt;&lt;b&gt;View&lt;/b&gt;&lt;br&gt;Toolbar, Status Bar, Hexa Trace beside the detail, Restore Default Widths of the summary columns.&lt;br&gt;&lt;br&gt;&lt;b&gt;Summary keys&lt;/b&gt;&lt;br&gt;Home, End, Page Up, Page Down and the arrows move the selection; Shift or Ctrl with a click selects several frames; dragging the scroll thumb names the frame it stands for.</source>
        <translation>&lt;b&gt;Modes de travail&lt;/b&gt;&lt;br&gt;Examen&#xa0;: captures (.lvt, .mon) et fichiers DRU-70. Visualisation des résultats&#xa0;: résultats de test et projets PLM-45. Acquisition&#xa0;: analyse en temps réel.&lt;br&gt;&lt;br&gt;&lt;b&gt;Fichier&lt;/b&gt;&lt;br&gt;Ouvrir (Ctrl+O) présente les fichiers du mode&#xa0;; le contenu d&apos;un fichier décide de la fenêtre où il s&apos;ouvre. Enregistrer sous copie la capture avec son commentaire. Imprimer (Ctrl+P)&#xa0;: le résumé, le détail, ou le détail avec la trace hexadécimale, de la sélection, de la trame courante à la fin, de toutes les trames ou d&apos;une plage&#xa0;; sur une imprimante, dans un PDF ou dans un fichier texte.&lt;br&gt;&lt;br&gt;&lt;b&gt;Édition&lt;/b&gt;&lt;br&gt;Rechercher (Ctrl+F)&#xa0;: un texte, un message RNIS, V5 ou X.25, ou une cause&#xa0;; Rechercher le suivant repart de la trame trouvée, Échap arrête une longue recherche. Rechercher dans la trace hexadécimale&#xa0;: du texte ou des octets dans la trame sélectionnée. Aller à la trame (Ctrl+G). Commentaire&#xa0;: la note enregistrée dans la capture, jusqu&apos;à 2048 caractères.&lt;br&gt;&lt;br&gt;&lt;b&gt;Affichage&lt;/b&gt;&lt;br&gt;Barre d&apos;outils, Barre d&apos;état, Trace hexadécimale à côté du détail, Rétablir les largeurs par défaut des colonnes du résumé.&lt;br&gt;&lt;br&gt;&lt;b&gt;Touches du résumé&lt;/b&gt;&lt;br&gt;Origine, Fin, Page préc., Page suiv. et les flèches déplacent la sélection&#xa0;; Maj ou Ctrl avec un clic sélectionne plusieurs trames&#xa0;; en faisant glisser le curseur de défilement, on voit le numéro de la trame qu&apos;il représente.</translation>
    </message>
    <message>
        <source>&amp;Short Users&apos; Guide</source>
        <translation>&amp;Guide rapide de l&apos;utilisateur</translation>
    </message>
    <message>
        <source>Short Users&apos; Guide</source>
        <translation>Guide rapide de l&apos;utilisateur</translation>
    </message>
    <message>
        <source>1. Choose your instrument in the Product menu.&lt;br&gt;2. Choose Examine, then File &gt; Open... and a capture from the tester.&lt;br&gt;3. Click a frame in the summary: its decode appears below, its octets beside it. Click a line of the decode to mark its octets.&lt;br&gt;4. Edit &gt; Find... searches the capture; Edit &gt; Comment... keeps your notes in the file.&lt;br&gt;5. File &gt; Print... prints or saves what you found.</source>
        <translation>1. Choisissez votre appareil dans le menu Produit.&lt;br&gt;2. Choisissez Examen, puis Fichier &gt; Ouvrir... et une capture du testeur.&lt;br&gt;3. Cliquez sur une trame du résumé&#xa0;: son décodage apparaît en dessous, ses octets à côté. Cliquez sur une ligne du décodage pour repérer ses octets.&lt;br&gt;4. Édition &gt; Rechercher... parcourt la capture&#xa0;; Édition &gt; Commentaire... garde vos notes dans le fichier.&lt;br&gt;5. Fichier &gt; Imprimer... imprime ou enregistre ce que vous avez trouvé.</translation>
    </message>
    <message>
        <source>&amp;About Quorvane...</source>
        <translation>À &amp;propos de Quorvane...</translation>
    </message>
    <message>
        <source>About Quorvane</source>
        <translation>À propos de Quorvane</translation>
    </message>
    <message>
        <source>&lt;b&gt;Quorvane&lt;/b&gt;&lt;br&gt;Analyser of ISDN tester captures: LAPD, TEI management, Q.931 and its national variants, X.25 and V5.</source>
        <translation>&lt;b&gt;Quorvane&lt;/b&gt;&lt;br&gt;Analyseur des captures des testeurs RNIS&#xa0;: LAPD, gestion des TEI, Q.931 et ses variantes nationales, X.25 et V5.</translation>
    </message>
    <message>
        <source>The settings could not be written to %1.</source>
        <translation>Les paramètres n&apos;ont pas pu être enregistrés dans %1.</translation>
    </message>
    <message>
        <source>%1 - Product Selection</source>
        <translation>%1 - Sélection du produit</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>This file is already opened.
Do you want to open a new window on this file ?</source>
        <translation>Ce fichier est déjà ouvert.
Voulez-vous ouvrir une nouvelle fenêtre sur ce fichier&#xa0;?</translation>
    </message>
    <message>
        <source>Cause number not found!</source>
        <translation>Numéro de cause introuvable&#xa0;!</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Enregistrer sous</translation>
    </message>
    <message>
        <source>LVT-30/60 files(*.lvt);;All files (*)</source>
        <translation>Fichiers LVT-30/60 (*.lvt);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>DRU-70 files(*.dru)</source>
        <translation>Fichiers DRU-70 (*.dru)</translation>
    </message>
    <message>
        <source>Text files (*.txt);;All files (*)</source>
        <translation>Fichiers texte (*.txt);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copier</translation>
    </message>
    <message>
        <source>LVT capture (*.lvt)</source>
        <translation>Capture LVT (*.lvt)</translation>
    </message>
    <message>
        <source>%1: %2 of %3 frames written</source>
        <translation>%1 : %2 trames sur %3 écrites</translation>
    </message>
    <message>
        <source>Counting the frames</source>
        <translation>Comptage des trames</translation>
    </message>
    <message>
        <source>Exporting</source>
        <translation>Exportation</translation>
    </message>
    <message>
        <source>Not available in this version: transfers from a tester need the serial link</source>
        <translation>Non disponible dans cette version : les transferts depuis un testeur demandent la liaison série</translation>
    </message>
    <message>
        <source>Not available in this version: real-time capture needs the serial link</source>
        <translation>Non disponible dans cette version : la capture en temps réel demande la liaison série</translation>
    </message>
    <message>
        <source>Find &amp;Next</source>
        <translation>Rechercher le s&amp;uivant</translation>
    </message>
    <message>
        <source>Find Pre&amp;vious</source>
        <translation>Rechercher le p&amp;récédent</translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation>Fe&amp;nêtre</translation>
    </message>
    <message>
        <source>&amp;Tile</source>
        <translation>&amp;Mosaïque</translation>
    </message>
    <message>
        <source>&amp;Cascade</source>
        <translation>En &amp;cascade</translation>
    </message>
    <message>
        <source>Ne&amp;xt</source>
        <translation>&amp;Suivante</translation>
    </message>
    <message>
        <source>Close &amp;All</source>
        <translation>&amp;Tout fermer</translation>
    </message>
</context>
<context>
    <name>qv::Messages</name>
    <message>
        <source>Error Message</source>
        <translation>Message d&apos;erreur</translation>
    </message>
    <message>
        <source>Quorvane</source>
        <translation>Quorvane</translation>
    </message>
    <message>
        <source>PDU Interpreter Internal Error</source>
        <translation>Erreur interne de l&apos;interpréteur PDU</translation>
    </message>
    <message>
        <source>Wrong working directory!</source>
        <translation>Répertoire de travail incorrect&#xa0;!</translation>
    </message>
    <message>
        <source>French resources not found !</source>
        <translation>Ressources françaises introuvables&#xa0;!</translation>
    </message>
    <message>
        <source>German resources not found !</source>
        <translation>Ressources allemandes introuvables&#xa0;!</translation>
    </message>
    <message>
        <source>To activate the modification, close and
re-open the Quorvane</source>
        <translation>Pour activer la modification, fermez et
rouvrez Quorvane</translation>
    </message>
    <message>
        <source>ISDN manager problem !</source>
        <translation>Problème du gestionnaire RNIS&#xa0;!</translation>
    </message>
    <message>
        <source>Problem while initializing PDU Interpreter!</source>
        <translation>Problème lors de l&apos;initialisation de l&apos;interpréteur PDU&#xa0;!</translation>
    </message>
    <message>
        <source>ISDN Manager Problem!</source>
        <translation>Problème du gestionnaire RNIS&#xa0;!</translation>
    </message>
    <message>
        <source>Error while searching this file type!</source>
        <translation>Erreur lors de la recherche de ce type de fichier&#xa0;!</translation>
    </message>
    <message>
        <source>Error while looking for this file type!</source>
        <translation>Erreur lors de la détermination de ce type de fichier&#xa0;!</translation>
    </message>
    <message>
        <source>This file is not an LVT file!</source>
        <translation>Ce fichier n&apos;est pas un fichier LVT&#xa0;!</translation>
    </message>
    <message>
        <source>This file is not an LVT-30/-30U, LVT-60 or PLM-45 file!</source>
        <translation>Ce fichier n&apos;est pas un fichier LVT-30/-30U, LVT-60 ou PLM-45&#xa0;!</translation>
    </message>
    <message>
        <source>Unable to find specified file!</source>
        <translation>Impossible de trouver le fichier indiqué&#xa0;!</translation>
    </message>
    <message>
        <source>Unable to open this file!</source>
        <translation>Impossible d&apos;ouvrir ce fichier&#xa0;!</translation>
    </message>
    <message>
        <source>Cannot know if this file is a remote or permanent file !</source>
        <translation>Impossible de savoir si ce fichier est un fichier distant ou permanent&#xa0;!</translation>
    </message>
    <message>
        <source>Unable to open file !</source>
        <translation>Impossible d&apos;ouvrir le fichier&#xa0;!</translation>
    </message>
    <message>
        <source>File is empty!</source>
        <translation>Le fichier est vide&#xa0;!</translation>
    </message>
    <message>
        <source>the record is not an LVT record!</source>
        <translation>L&apos;enregistrement n&apos;est pas un enregistrement LVT&#xa0;!</translation>
    </message>
    <message>
        <source>LVT file error</source>
        <translation>Erreur de fichier LVT</translation>
    </message>
    <message>
        <source>Error while reading frames!</source>
        <translation>Erreur lors de la lecture des trames&#xa0;!</translation>
    </message>
    <message>
        <source>tab_frame_idx not good !</source>
        <translation>tab_frame_idx incorrect&#xa0;!</translation>
    </message>
    <message>
        <source>Unable to create a decodable object !</source>
        <translation>Impossible de créer un objet décodable&#xa0;!</translation>
    </message>
    <message>
        <source>A problem occurs while reading first group of frames !</source>
        <translation>Un problème est survenu lors de la lecture du premier groupe de trames&#xa0;!</translation>
    </message>
    <message>
        <source>No frame found in the file !</source>
        <translation>Aucune trame trouvée dans le fichier&#xa0;!</translation>
    </message>
    <message>
        <source>Problem while saving file!</source>
        <translation>Problème lors de l&apos;enregistrement du fichier&#xa0;!</translation>
    </message>
    <message>
        <source>The comment text has changed.
Do you want to save it?</source>
        <translation>Le texte du commentaire a changé.
Voulez-vous l&apos;enregistrer&#xa0;?</translation>
    </message>
    <message>
        <source>The comment text can not be updated.
An error occured when saving it in the file</source>
        <translation>Le texte du commentaire ne peut pas être mis à jour.
Une erreur est survenue lors de son enregistrement dans le fichier</translation>
    </message>
    <message>
        <source>Starting and/or ending values are out of range</source>
        <translation>Les valeurs de début et/ou de fin sont hors limites</translation>
    </message>
    <message>
        <source>This frame is suppressed by filtering
Do you want to reach the nearest frame</source>
        <translation>Cette trame est supprimée par le filtrage
Voulez-vous atteindre la trame la plus proche</translation>
    </message>
    <message>
        <source>This frame is not a layer 3 frame</source>
        <translation>Cette trame n&apos;est pas une trame de niveau 3</translation>
    </message>
    <message>
        <source>CDecoder::pan_parse(): ev_p = NULL</source>
        <translation>CDecoder::pan_parse()&#xa0;: ev_p est NULL</translation>
    </message>
    <message>
        <source>CISDN::Format_Detail() error: ev_p = NULL</source>
        <translation>CISDN::Format_Detail(), erreur&#xa0;: ev_p est NULL</translation>
    </message>
    <message>
        <source>Layer 3 detail error: %d!</source>
        <translation>Erreur dans le détail du niveau 3&#xa0;: %d&#xa0;!</translation>
    </message>
    <message>
        <source>Can&apos;t open file %s. Please, check notation files path ...</source>
        <translation>Impossible d&apos;ouvrir le fichier %s. Veuillez vérifier le chemin des fichiers de notation...</translation>
    </message>
    <message>
        <source>Insufficient memory: Can&apos;t create PDU Interpreter!</source>
        <translation>Mémoire insuffisante&#xa0;: impossible de créer l&apos;interpréteur PDU&#xa0;!</translation>
    </message>
    <message>
        <source>Insufficient memory: Can&apos;t allocate PDU Interpreter buffer!</source>
        <translation>Mémoire insuffisante&#xa0;: impossible d&apos;allouer la mémoire tampon de l&apos;interpréteur PDU&#xa0;!</translation>
    </message>
    <message>
        <source>Unknown protocol!</source>
        <translation>Protocole inconnu&#xa0;!</translation>
    </message>
    <message>
        <source>Syntax error in a Notation File</source>
        <translation>Erreur de syntaxe dans un fichier de notation</translation>
    </message>
    <message>
        <source>Too many tables are defined in the list file</source>
        <translation>Le fichier de liste définit trop de tables</translation>
    </message>
    <message>
        <source>Not enough memory to load the Notation Files</source>
        <translation>Mémoire insuffisante pour charger les fichiers de notation</translation>
    </message>
    <message>
        <source>Press ESCAPE to stop the find function</source>
        <translation>Appuyez sur ÉCHAP pour arrêter la recherche</translation>
    </message>
    <message>
        <source>Program has reached the last frame!
Do you want to go to the first frame?</source>
        <translation>Le programme a atteint la dernière trame&#xa0;!
Voulez-vous aller à la première trame&#xa0;?</translation>
    </message>
    <message>
        <source>Program has reached the first frame!
Do you want to go to the last frame?</source>
        <translation>Le programme a atteint la première trame&#xa0;!
Voulez-vous aller à la dernière trame&#xa0;?</translation>
    </message>
    <message>
        <source>This field is not visible now. Display it with the
 &quot;Protocol Information&quot; menu and restart the Find function</source>
        <translation>Ce champ n&apos;est pas affiché actuellement. Affichez-le avec le
menu «&#xa0;Informations protocole&#xa0;» et relancez la recherche</translation>
    </message>
    <message>
        <source>Find error!</source>
        <translation>Erreur de recherche&#xa0;!</translation>
    </message>
    <message>
        <source>String found once</source>
        <translation>Chaîne trouvée une fois</translation>
    </message>
    <message>
        <source>String found twice</source>
        <translation>Chaîne trouvée deux fois</translation>
    </message>
    <message>
        <source>String found %d times</source>
        <translation>Chaîne trouvée %d fois</translation>
    </message>
    <message>
        <source>Message found once</source>
        <translation>Message trouvé une fois</translation>
    </message>
    <message>
        <source>Message found twice</source>
        <translation>Message trouvé deux fois</translation>
    </message>
    <message>
        <source>Message found %d times</source>
        <translation>Message trouvé %d fois</translation>
    </message>
    <message>
        <source>Cause number found once</source>
        <translation>Numéro de cause trouvé une fois</translation>
    </message>
    <message>
        <source>Cause number found twice</source>
        <translation>Numéro de cause trouvé deux fois</translation>
    </message>
    <message>
        <source>Cause number found %d times</source>
        <translation>Numéro de cause trouvé %d fois</translation>
    </message>
    <message>
        <source>String not found!</source>
        <translation>Chaîne introuvable&#xa0;!</translation>
    </message>
    <message>
        <source>Message not found!</source>
        <translation>Message introuvable&#xa0;!</translation>
    </message>
    <message>
        <source>Cause number not found!</source>
        <translation>Numéro de cause introuvable&#xa0;!</translation>
    </message>
    <message>
        <source>Wrong hexadecimal value!</source>
        <translation>Valeur hexadécimale incorrecte&#xa0;!</translation>
    </message>
    <message>
        <source>Hexa string  found !</source>
        <translation>Chaîne hexadécimale trouvée&#xa0;!</translation>
    </message>
    <message>
        <source>ASCII string found !</source>
        <translation>Chaîne ASCII trouvée&#xa0;!</translation>
    </message>
    <message>
        <source>Hexa string not found !</source>
        <translation>Chaîne hexadécimale introuvable&#xa0;!</translation>
    </message>
    <message>
        <source>ASCII string not found !</source>
        <translation>Chaîne ASCII introuvable&#xa0;!</translation>
    </message>
    <message>
        <source>Insufficient memory to print frames
Please decrease the number of frames</source>
        <translation>Mémoire insuffisante pour imprimer les trames
Veuillez réduire le nombre de trames</translation>
    </message>
    <message>
        <source>The printing file can not be opened</source>
        <translation>Le fichier d&apos;impression ne peut pas être ouvert</translation>
    </message>
    <message>
        <source>Cannot know if this file is a remote or permanent file!</source>
        <translation>Impossible de savoir si ce fichier est un fichier distant ou permanent&#xa0;!</translation>
    </message>
    <message>
        <source>Unable to open file!</source>
        <translation>Impossible d&apos;ouvrir le fichier&#xa0;!</translation>
    </message>
    <message>
        <source>Can&apos;t allocate new record!</source>
        <translation>Impossible d&apos;allouer un nouvel enregistrement&#xa0;!</translation>
    </message>
    <message>
        <source>Error while reading file!</source>
        <translation>Erreur lors de la lecture du fichier&#xa0;!</translation>
    </message>
    <message>
        <source>Record size error !</source>
        <translation>Erreur de taille d&apos;enregistrement&#xa0;!</translation>
    </message>
    <message>
        <source>This file holds no test result!</source>
        <translation>Ce fichier ne contient aucun résultat de test&#xa0;!</translation>
    </message>
    <message>
        <source>Error: file format</source>
        <translation>Erreur&#xa0;: format de fichier</translation>
    </message>
    <message>
        <source>Insufficient memory to copy the selection
Please limit your selection</source>
        <translation>Mémoire insuffisante pour copier la sélection
Veuillez réduire votre sélection</translation>
    </message>
    <message>
        <source>The Clipboard is not free to copy the selection
</source>
        <translation>Le Presse-papiers n&apos;est pas libre pour copier la sélection
</translation>
    </message>
    <message>
        <source>Too many frames are selected. Only the first %d frames are copied</source>
        <translation>Trop de trames sont sélectionnées. Seules les %d premières trames sont copiées</translation>
    </message>
    <message>
        <source>No or incorrect answer from PLM-45
Check equipment, serial cable, baud rate</source>
        <translation>Pas de réponse ou réponse incorrecte du PLM-45
Vérifiez l&apos;équipement, le câble série, la vitesse</translation>
    </message>
    <message>
        <source>Project %d does not exist</source>
        <translation>Le projet %d n&apos;existe pas</translation>
    </message>
    <message>
        <source>File could not be saved</source>
        <translation>Le fichier n&apos;a pas pu être enregistré</translation>
    </message>
    <message>
        <source>File Error</source>
        <translation>Erreur de fichier</translation>
    </message>
    <message>
        <source>Existing file</source>
        <translation>Fichier existant</translation>
    </message>
    <message>
        <source>The file %s already exists in this destination directory.
Do you want to overwrite it?</source>
        <translation>Le fichier %s existe déjà dans ce répertoire de destination.
Voulez-vous le remplacer ?</translation>
    </message>
    <message>
        <source>The comment text can not be updated.
An error occured when saving it in the file: %s</source>
        <translation>Le texte du commentaire ne peut pas être mis à jour.
Une erreur est survenue lors de son enregistrement dans le fichier&#xa0;: %s</translation>
    </message>
    <message>
        <source>The capture is damaged: %s</source>
        <translation>La capture est endommagée&#xa0;: %s</translation>
    </message>
    <message>
        <source>Damaged capture</source>
        <translation>Capture endommagée</translation>
    </message>
    <message>
        <source>Error: the file is larger than 64 MB, more than a PLM-45 project can be</source>
        <translation>Erreur&#xa0;: le fichier dépasse 64 Mo, plus qu&apos;un projet PLM-45 ne peut faire</translation>
    </message>
</context>
<context>
    <name>qv::PlmFiltersDialog</name>
    <message>
        <source>PLM-45 Filters</source>
        <translation>Filtres PLM-45</translation>
    </message>
    <message>
        <source>Show &amp;All</source>
        <translation>&amp;Tout afficher</translation>
    </message>
    <message>
        <source>Hid&amp;e All</source>
        <translation>Tout m&amp;asquer</translation>
    </message>
    <message>
        <source>Columns of the project window</source>
        <translation>Colonnes de la fenêtre du projet</translation>
    </message>
</context>
<context>
    <name>qv::PlmFindDialog</name>
    <message>
        <source>Find</source>
        <translation>Rechercher</translation>
    </message>
    <message>
        <source>Fi&amp;nd what:</source>
        <translation>Rec&amp;hercher&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Up</source>
        <translation>Vers le &amp;haut</translation>
    </message>
    <message>
        <source>&amp;Down</source>
        <translation>Vers le &amp;bas</translation>
    </message>
    <message>
        <source>Match &amp;case</source>
        <translation>Respecter la &amp;casse</translation>
    </message>
</context>
<context>
    <name>qv::PlmModel</name>
    <message>
        <source>Line num.</source>
        <translation>N° ligne</translation>
    </message>
    <message>
        <source>Velocity</source>
        <translation>Vitesse</translation>
    </message>
    <message>
        <source>Impedance</source>
        <translation>Impédance</translation>
    </message>
    <message>
        <source>Pairs</source>
        <translation>Paires</translation>
    </message>
    <message>
        <source>Cable Type</source>
        <translation>Type câble</translation>
    </message>
    <message>
        <source>Used Pins</source>
        <translation>Broches</translation>
    </message>
    <message>
        <source>Wire Resist.</source>
        <translation>Résist. fil</translation>
    </message>
    <message>
        <source>L. open pair</source>
        <translation>L. paire ouv.</translation>
    </message>
    <message>
        <source>L. short pair</source>
        <translation>L. paire c.-c.</translation>
    </message>
    <message>
        <source>Resist. Wire</source>
        <translation>Fil résist.</translation>
    </message>
    <message>
        <source>Power1</source>
        <translation>Alim1</translation>
    </message>
    <message>
        <source>Power1L</source>
        <translation>Alim1C</translation>
    </message>
    <message>
        <source>Power2</source>
        <translation>Alim2</translation>
    </message>
    <message>
        <source>Power2L</source>
        <translation>Alim2C</translation>
    </message>
    <message>
        <source>Tx Act.</source>
        <translation>Act. Tx</translation>
    </message>
    <message>
        <source>Rx Act.</source>
        <translation>Act. Rx</translation>
    </message>
    <message>
        <source>ISDN data</source>
        <translation>Données RNIS</translation>
    </message>
    <message>
        <source>L. open value</source>
        <translation>L. ouverture</translation>
    </message>
    <message>
        <source>L. short value</source>
        <translation>L. court-circuit</translation>
    </message>
    <message>
        <source>DC Wire Resist.</source>
        <translation>Résist. CC fil</translation>
    </message>
    <message>
        <source>Tx Term.</source>
        <translation>Term. Tx</translation>
    </message>
    <message>
        <source>Rx Term.</source>
        <translation>Term. Rx</translation>
    </message>
    <message>
        <source>Wires open</source>
        <translation>Fils ouverts</translation>
    </message>
    <message>
        <source>Short </source>
        <translation>Court-circuit </translation>
    </message>
    <message>
        <source>Order</source>
        <translation>Ordre</translation>
    </message>
    <message>
        <source>Split pairs</source>
        <translation>Paires séparées</translation>
    </message>
</context>
<context>
    <name>qv::PlmWindow</name>
    <message>
        <source> - Project %1</source>
        <translation> - Projet %1</translation>
    </message>
    <message>
        <source>Reached the last line: the find went on from the first</source>
        <translation>Dernière ligne atteinte&#xa0;: la recherche a repris à la première</translation>
    </message>
    <message>
        <source>Reached the first line: the find went on from the last</source>
        <translation>Première ligne atteinte&#xa0;: la recherche a repris à la dernière</translation>
    </message>
    <message>
        <source>Cannot find the string &apos;%1&apos;</source>
        <translation>Impossible de trouver la chaîne «&#xa0;%1&#xa0;»</translation>
    </message>
</context>
<context>
    <name>qv::PlmWords</name>
    <message>
        <source>not meas.</source>
        <translation>non mes.</translation>
    </message>
    <message>
        <source>no</source>
        <translation>non</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>oui</translation>
    </message>
    <message>
        <source>none</source>
        <translation>aucun</translation>
    </message>
    <message>
        <source>spikes</source>
        <translation>pics</translation>
    </message>
    <message>
        <source>low</source>
        <translation>faible</translation>
    </message>
    <message>
        <source>hi-Z</source>
        <translation>Z haute</translation>
    </message>
    <message>
        <source>flat</source>
        <translation>plat</translation>
    </message>
    <message>
        <source>tp</source>
        <translation>p. tors.</translation>
    </message>
    <message>
        <source>quad</source>
        <translation>quarte</translation>
    </message>
    <message>
        <source>custom</source>
        <translation>spécial</translation>
    </message>
</context>
<context>
    <name>qv::PrintDialog</name>
    <message>
        <source>Print</source>
        <translation>Imprimer</translation>
    </message>
    <message>
        <source>Frames</source>
        <translation>Trames</translation>
    </message>
    <message>
        <source>&amp;Selection</source>
        <translation>&amp;Sélection</translation>
    </message>
    <message>
        <source>&amp;Current to End</source>
        <translation>De la trame &amp;courante à la fin</translation>
    </message>
    <message>
        <source>&amp;All</source>
        <translation>&amp;Toutes</translation>
    </message>
    <message>
        <source>&amp;Range</source>
        <translation>&amp;Plage</translation>
    </message>
    <message>
        <source>From</source>
        <translation>De</translation>
    </message>
    <message>
        <source>To</source>
        <translation>À</translation>
    </message>
    <message>
        <source>Summary print</source>
        <translation>Impression du résumé</translation>
    </message>
    <message>
        <source>Detail print</source>
        <translation>Impression du détail</translation>
    </message>
    <message>
        <source>Detail and hexa print</source>
        <translation>Impression du détail et de la trace hexadécimale</translation>
    </message>
    <message>
        <source>File &amp;Header</source>
        <translation>&amp;En-tête du fichier</translation>
    </message>
    <message>
        <source>Print c&amp;omment</source>
        <translation>Imprimer le co&amp;mmentaire</translation>
    </message>
    <message>
        <source>&amp;Format document</source>
        <translation>Mise en &amp;forme du document</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Imprimer...</translation>
    </message>
    <message>
        <source>P&amp;DF...</source>
        <translatorcomment>PDF is the same in every language</translatorcomment>
        <translation>P&amp;DF...</translation>
    </message>
    <message>
        <source>&amp;Text File...</source>
        <translation>Fichier te&amp;xte...</translation>
    </message>
    <message>
        <source>Print to PDF</source>
        <translation>Imprimer en PDF</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>Fichiers PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Print to File</source>
        <translation>Imprimer dans un fichier</translation>
    </message>
    <message>
        <source>Text files (*.txt)</source>
        <translation>Fichiers texte (*.txt)</translation>
    </message>
    <message>
        <source>Events</source>
        <translation>Événements</translation>
    </message>
</context>
<context>
    <name>qv::PrintProgress</name>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>qv::ProductDialog</name>
    <message>
        <source>U-interface monitor placed on the line between the exchange and the NT1. It records the line&apos;s maintenance events: EOC messages, errors, power supply and activation, in real time or into its own memory to be fetched afterwards. Its files (*.dru) open in Examine mode.</source>
        <translation>Moniteur d&apos;interface U placé sur la ligne entre le central et le NT1. Il enregistre les événements de maintenance de la ligne&#xa0;: messages EOC, erreurs, téléalimentation et activation, en temps réel ou dans sa propre mémoire pour être récupérés ensuite. Ses fichiers (*.dru) s&apos;ouvrent en mode Examen.</translation>
    </message>
    <message>
        <source>Compact basic-rate tester for the S/T and U interfaces. Its D-channel captures (LAPD, call control, X.25) open in Examine mode, its stored test results in View Results mode.</source>
        <translation>Testeur compact d&apos;accès de base pour les interfaces S/T et U. Ses captures du canal D (LAPD, contrôle d&apos;appel, X.25) s&apos;ouvrent en mode Examen, ses résultats de test enregistrés en mode Visualisation des résultats.</translation>
    </message>
    <message>
        <source>Basic-rate ISDN tester for the S/T interface (LVT-30) or the U interface (LVT-30U). It captures the D channel on site or in real time over the serial link; captures open in Examine mode, test results in View Results mode.</source>
        <translation>Testeur RNIS d&apos;accès de base pour l&apos;interface S/T (LVT-30) ou l&apos;interface U (LVT-30U). Il capture le canal D sur site ou en temps réel par la liaison série&#xa0;; les captures s&apos;ouvrent en mode Examen, les résultats de test en mode Visualisation des résultats.</translation>
    </message>
    <message>
        <source>ISDN tester for basic and primary rate access. Besides call control and X.25 it captures the V5.1/V5.2 signalling between an access network and its exchange, decoded as such when V5 decoding is on.</source>
        <translation>Testeur RNIS pour l&apos;accès de base et l&apos;accès primaire. Outre le contrôle d&apos;appel et X.25, il capture la signalisation V5.1/V5.2 entre un réseau d&apos;accès et son central, décodée comme telle lorsque le décodage V5 est actif.</translation>
    </message>
    <message>
        <source>Line measurement set for copper pairs. Its measurements are kept in projects, fetched over the serial link and shown as tables in View Results mode (*.plm).</source>
        <translation>Appareil de mesure de lignes pour paires cuivre. Ses mesures sont regroupées en projets, récupérés par la liaison série et affichés sous forme de tableaux en mode Visualisation des résultats (*.plm).</translation>
    </message>
    <message>
        <source>ISDN protocol monitor for the S0 interface. Its captures (*.mon) share the LVT file layout and open in Examine mode.</source>
        <translation>Moniteur de protocole RNIS pour l&apos;interface S0. Ses captures (*.mon) ont le format de fichier LVT et s&apos;ouvrent en mode Examen.</translation>
    </message>
    <message>
        <source>ISDN protocol monitor for basic and primary rate access (S0 and S2M). Its captures (*.mon) share the LVT file layout and open in Examine mode.</source>
        <translation>Moniteur de protocole RNIS pour l&apos;accès de base et l&apos;accès primaire (S0 et S2M). Ses captures (*.mon) ont le format de fichier LVT et s&apos;ouvrent en mode Examen.</translation>
    </message>
    <message>
        <source>Product Selection</source>
        <translation>Sélection du produit</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Descriptif</translation>
    </message>
    <message>
        <source>&amp;V5 decoding (V5.1/V5.2 captures)</source>
        <translation>Décodage &amp;V5 (captures V5.1/V5.2)</translation>
    </message>
    <message>
        <source>Only the LVT-60 captures V5 signalling</source>
        <translation>Seul le LVT-60 capture la signalisation V5</translation>
    </message>
    <message>
        <source>Choose the instrument the PC works with:</source>
        <translation>Choisissez l&apos;appareil avec lequel le PC travaille&#xa0;:</translation>
    </message>
</context>
<context>
    <name>qv::ProfilePage</name>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Enregistrer</translation>
    </message>
    <message>
        <source>&amp;Load</source>
        <translation>&amp;Charger</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Supprimer</translation>
    </message>
    <message>
        <source>Profiles</source>
        <translation>Profils</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Enter a profile name without / or \.</source>
        <translation>Saisissez un nom de profil sans / ni \.</translation>
    </message>
    <message>
        <source>The profile %1 exists.
Do you want to replace it?</source>
        <translation>Le profil %1 existe déjà.
Voulez-vous le remplacer&#xa0;?</translation>
    </message>
    <message>
        <source>The profile %1 can not be written in %2.</source>
        <translation>Le profil %1 ne peut pas être enregistré dans %2.</translation>
    </message>
    <message>
        <source>The profile %1 can not be read.</source>
        <translation>Le profil %1 ne peut pas être lu.</translation>
    </message>
    <message>
        <source>Delete the profile %1?</source>
        <translation>Supprimer le profil %1&#xa0;?</translation>
    </message>
    <message>
        <source>The profile %1 can not be deleted.</source>
        <translation>Le profil %1 ne peut pas être supprimé.</translation>
    </message>
</context>
<context>
    <name>qv::ProtocolInformationDialog</name>
    <message>
        <source>Protocol Information</source>
        <translation>Informations protocole</translation>
    </message>
    <message>
        <source>The V5 fields are always shown while V5 decoding is on.</source>
        <translation>Les champs V5 sont toujours affichés tant que le décodage V5 est actif.</translation>
    </message>
    <message>
        <source>The V5 fields are available with V5 decoding only.</source>
        <translation>Les champs V5 ne sont disponibles qu&apos;avec le décodage V5.</translation>
    </message>
    <message>
        <source>Set All Defaul&amp;t</source>
        <translation>Tout remettre par dé&amp;faut</translation>
    </message>
    <message>
        <source>Fields of the frame summary</source>
        <translation>Champs du résumé des trames</translation>
    </message>
    <message>
        <source>Always shown while V5 decoding is on</source>
        <translation>Toujours affiché tant que le décodage V5 est actif</translation>
    </message>
    <message>
        <source>Available with V5 decoding only</source>
        <translation>Disponible uniquement avec le décodage V5</translation>
    </message>
</context>
<context>
    <name>qv::ProtocolSetupDialog</name>
    <message>
        <source>Protocol Setup</source>
        <translation>Configuration du protocole</translation>
    </message>
    <message>
        <source>&amp;Protocol Names</source>
        <translation>Noms des &amp;protocoles</translation>
    </message>
    <message>
        <source>V5.1/V5.2 Encapsulated</source>
        <translation>V5.1/V5.2 encapsulé</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translatorcomment>OK is the same in every language</translatorcomment>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Ai&amp;de</translation>
    </message>
    <message>
        <source>Choose the layer-3 protocol that the tester&apos;s network speaks: call-control messages are decoded with the notation tables of that protocol. The open captures are decoded again with it at once.&lt;br&gt;&lt;br&gt;&lt;b&gt;V5.1/V5.2 Encapsulated&lt;/b&gt; (LVT-60 only): the captures carry V5 signalling between an access network and its exchange, and are decoded as V5.</source>
        <translation>Choisissez le protocole de niveau 3 du réseau du testeur&#xa0;: les messages de contrôle d&apos;appel sont décodés avec les tables de notation de ce protocole. Les captures ouvertes sont aussitôt décodées à nouveau avec celui-ci.&lt;br&gt;&lt;br&gt;&lt;b&gt;V5.1/V5.2 encapsulé&lt;/b&gt; (LVT-60 uniquement)&#xa0;: les captures transportent la signalisation V5 entre un réseau d&apos;accès et son central, et sont décodées en V5.</translation>
    </message>
</context>
<context>
    <name>qv::ResultWindow</name>
    <message>
        <source>The report cannot be written to this file!</source>
        <translation>Le rapport ne peut pas être écrit dans ce fichier&#xa0;!</translation>
    </message>
</context>
<context>
    <name>qv::SearchDialog</name>
    <message>
        <source>Find</source>
        <translation>Rechercher</translation>
    </message>
    <message>
        <source>Direction</source>
        <translation>Sens</translation>
    </message>
    <message>
        <source>&amp;Forward</source>
        <translation>En &amp;avant</translation>
    </message>
    <message>
        <source>&amp;Backward</source>
        <translation>En a&amp;rrière</translation>
    </message>
    <message>
        <source>C&amp;ase sensitive</source>
        <translation>Respecter la &amp;casse</translation>
    </message>
    <message>
        <source>Find &amp;Next</source>
        <translation>Rechercher le &amp;suivant</translation>
    </message>
</context>
<context>
    <name>qv::SerialLinkSetupDialog</name>
    <message>
        <source>none</source>
        <translation>sans</translation>
    </message>
    <message>
        <source>even</source>
        <translation>paire</translation>
    </message>
    <message>
        <source>odd</source>
        <translation>impaire</translation>
    </message>
    <message>
        <source>Serial Link Setup</source>
        <translation>Configuration de la liaison série</translation>
    </message>
    <message>
        <source>The device this port stands for on this computer: one of the detected ports, or a path typed in (a link made by quorvane-cli simulate, say)</source>
        <translation>Le périphérique que ce port désigne sur cet ordinateur : l&apos;un des ports détectés, ou un chemin saisi (un lien créé par quorvane-cli simulate, par exemple)</translation>
    </message>
    <message>
        <source>&amp;Refresh</source>
        <translation>&amp;Actualiser</translation>
    </message>
    <message>
        <source>Look for serial ports again (after plugging in a USB adapter)</source>
        <translation>Rechercher à nouveau les ports série (après avoir branché un adaptateur USB)</translation>
    </message>
    <message>
        <source>Serial Port</source>
        <translation>Port série</translation>
    </message>
    <message>
        <source>Transfer Rate</source>
        <translation>Vitesse de transfert</translation>
    </message>
    <message>
        <source>Capture Rate</source>
        <translation>Vitesse de capture</translation>
    </message>
    <message>
        <source>Parity</source>
        <translation>Parité</translation>
    </message>
    <message>
        <source>Data bits</source>
        <translation>Bits de données</translation>
    </message>
    <message>
        <source>Protocol</source>
        <translation>Protocole</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Périphérique</translation>
    </message>
    <message>
        <source>%1 (unknown)</source>
        <translation>%1 (inconnu)</translation>
    </message>
    <message>
        <source>Default (%1)</source>
        <translation>Par défaut (%1)</translation>
    </message>
    <message>
        <source>Choose a port from COM1 to COM4.</source>
        <translation>Choisissez un port de COM1 à COM4.</translation>
    </message>
    <message>
        <source>%1: %2 is not there now (not plugged in?).</source>
        <translation>%1 : %2 est absent pour le moment (non branché ?).</translation>
    </message>
    <message>
        <source>%1: %2, %3.</source>
        <translation>%1 : %2, %3.</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1 : %2</translation>
    </message>
    <message>
        <source>%1: %2, that is %3.</source>
        <translation>%1 : %2, c&apos;est-à-dire %3.</translation>
    </message>
    <message>
        <source>%1: %2.</source>
        <translation>%1 : %2.</translation>
    </message>
</context>
<context>
    <name>qv::StatisticsDialog</name>
    <message>
        <source>Statistics - %1</source>
        <translation>Statistiques - %1</translation>
    </message>
    <message>
        <source>Frames</source>
        <translation>Trames</translation>
    </message>
    <message>
        <source>First frame</source>
        <translation>Première trame</translation>
    </message>
    <message>
        <source>Last frame</source>
        <translation>Dernière trame</translation>
    </message>
    <message>
        <source>Time span</source>
        <translation>Durée</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>Frame rate</source>
        <translation>Débit de trames</translation>
    </message>
    <message>
        <source>%1 frames/s</source>
        <translation>%1 trames/s</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>Capture</translation>
    </message>
    <message>
        <source>Frames per layer</source>
        <translation>Trames par couche</translation>
    </message>
    <message>
        <source>Layer-2 frame types</source>
        <translation>Types de trames de couche 2</translation>
    </message>
    <message>
        <source>Layer-3 messages</source>
        <translation>Messages de couche 3</translation>
    </message>
    <message>
        <source>Causes</source>
        <translation>Causes</translation>
    </message>
    <message>
        <source>Data links</source>
        <translation>Liaisons de données</translation>
    </message>
    <message>
        <source>Directions</source>
        <translation>Sens</translation>
    </message>
    <message>
        <source>Errors</source>
        <translation>Erreurs</translation>
    </message>
    <message>
        <source>Layer</source>
        <translation>Couche</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Protocol</source>
        <translation>Protocole</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>Cause</source>
        <translation>Cause</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Texte</translation>
    </message>
    <message>
        <source>Direction</source>
        <translation>Sens</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Inconnu</translation>
    </message>
    <message>
        <source>Layer 1 events</source>
        <translation>Événements de couche 1</translation>
    </message>
    <message>
        <source>Layer 2 only</source>
        <translation>Couche 2 seule</translation>
    </message>
    <message>
        <source>Layer 3 call control</source>
        <translation>Couche 3 contrôle d&apos;appel</translation>
    </message>
    <message>
        <source>Layer 3 X.25</source>
        <translation>Couche 3 X.25</translation>
    </message>
    <message>
        <source>Layer 3 TEI management</source>
        <translation>Couche 3 gestion des TEI</translation>
    </message>
    <message>
        <source>Layer 3 V5</source>
        <translation>Couche 3 V5</translation>
    </message>
    <message>
        <source>Not decoded (bad status)</source>
        <translation>Non décodées (mauvais état)</translation>
    </message>
    <message>
        <source>TEI management</source>
        <translation>Gestion des TEI</translation>
    </message>
    <message>
        <source>Call control</source>
        <translation>Contrôle d&apos;appel</translation>
    </message>
    <message>
        <source>Displayed</source>
        <translation>Affichées</translation>
    </message>
    <message>
        <source>%1 (%2 of all frames)</source>
        <translation>%1 (%2 de toutes les trames)</translation>
    </message>
</context>
</TS>
