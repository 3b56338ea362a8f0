<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="fr">
<context>
    <name>FileDialogs</name>
    <message>
        <source>Fichier Résultat (*.txt)</source>
        <translation>Result file (*.txt)</translation>
    </message>
    <message>
        <source>Fichier Paramètres (*.dat)</source>
        <translation>Parameter file (*.dat)</translation>
    </message>
    <message>
        <source>Fichier Paramètres Spécifiques (*.par)</source>
        <translation>Instrument settings file (*.par)</translation>
    </message>
    <message>
        <source>Fichier paramètres VEXA (*.dat)</source>
        <translation>VEXA parameter file (*.dat)</translation>
    </message>
</context>
<context>
    <name>HomePanel</name>
    <message>
        <source>VEXA-Reader</source>
        <translation>VEXA-Reader</translation>
    </message>
    <message>
        <source>V1.0.1</source>
        <translation>V1.0.1</translation>
    </message>
    <message>
        <source>www.norvane.example</source>
        <translation>www.norvane.example</translation>
    </message>
    <message>
        <source>Choix de la Langue</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Francais</source>
        <translation>French</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Connecter le Vexameter au PC
Puis cliquer sur le bouton &quot;Connexion&quot;</source>
        <translation>Connect the Vexameter to the PC
then click the &quot;Connect&quot; button</translation>
    </message>
    <message>
        <source>Connexion</source>
        <translation>Connect</translation>
    </message>
</context>
<context>
    <name>IdentityBox</name>
    <message>
        <source> Identification de l&apos;instrument </source>
        <translation> Instrument identification </translation>
    </message>
    <message>
        <source>Numéro de série : </source>
        <translation>Serial number: </translation>
    </message>
    <message>
        <source>Référence produit :</source>
        <translation>Product ref.:</translation>
    </message>
    <message>
        <source>Référence PM :</source>
        <translation>PM ref.:</translation>
    </message>
    <message>
        <source>Version du logiciel : </source>
        <translation>Software version: </translation>
    </message>
    <message>
        <source>Fichier Paramètres : </source>
        <translation>Parameter file: </translation>
    </message>
    <message>
        <source>Version du logiciel</source>
        <translation>Software version</translation>
    </message>
</context>
<context>
    <name>InitialisationPanel</name>
    <message>
        <source> Horloge </source>
        <translation> Clock </translation>
    </message>
    <message>
        <source>Régler la date et l&apos;heure :</source>
        <translation>Set the date and time:</translation>
    </message>
    <message>
        <source>Régler l&apos;horloge</source>
        <translation>Set clock</translation>
    </message>
    <message>
        <source> Mémoire </source>
        <translation> Memory </translation>
    </message>
    <message>
        <source>Effacer les mesures stockées dans la mémoire de l&apos;instrument :</source>
        <translation>Erase the measurements stored in the instrument&apos;s memory:</translation>
    </message>
    <message>
        <source>Effacer</source>
        <translation>Erase</translation>
    </message>
    <message>
        <source> Paramètres spécifiques </source>
        <translation> Instrument settings </translation>
    </message>
    <message>
        <source>Numéro d&apos;instrument</source>
        <translation>Instrument number</translation>
    </message>
    <message>
        <source>PM/Scintillateur</source>
        <translation>PM/Scintillator</translation>
    </message>
    <message>
        <source>Réglage HT (Volts)</source>
        <translation>HV setting (volts)</translation>
    </message>
    <message>
        <source>Contraste (0-1023)</source>
        <translation>Contrast (0-1023)</translation>
    </message>
    <message>
        <source>Maintenance</source>
        <translation>Maintenance</translation>
    </message>
    <message>
        <source>Lire Instrument</source>
        <translation>Read instrument</translation>
    </message>
    <message>
        <source>Ecrire Instrument</source>
        <translation>Write instrument</translation>
    </message>
    <message>
        <source>Charger Fichier</source>
        <translation>Load file</translation>
    </message>
    <message>
        <source>Enregistrer Fichier</source>
        <translation>Save file</translation>
    </message>
</context>
<context>
    <name>LecturePanel</name>
    <message>
        <source>Sélectionner un fichier :</source>
        <translation>Select a file:</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Transfert</source>
        <translation>Transfer</translation>
    </message>
</context>
<context>
    <name>MessageDialogInfo</name>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Oui</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Non</source>
        <translation>No</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>     L&apos;instrument ne répond pas      </source>
        <translation>     The instrument is not responding      </translation>
    </message>
    <message>
        <source>   Erreur de communication   </source>
        <translation>   Communication error   </translation>
    </message>
    <message>
        <source>Recherche instrument en cours...</source>
        <translation>Searching for the instrument...</translation>
    </message>
    <message>
        <source>Aucun instrument n&apos;a été détecté</source>
        <translation>No instrument was detected</translation>
    </message>
    <message>
        <source>      Instrument détecté sur %1      </source>
        <translation>      Instrument found on %1      </translation>
    </message>
    <message>
        <source>Lecture en cours</source>
        <translation>Reading in progress</translation>
    </message>
    <message>
        <source>Lecture en cours, fichier %1/%2, Mesure n°%3</source>
        <translation>Reading file %1/%2, measurement no. %3</translation>
    </message>
    <message>
        <source>     Erreur de lecture      </source>
        <translation>     Read error      </translation>
    </message>
    <message>
        <source>     Aucune mesure en mémoire      </source>
        <translation>     No measurements in memory      </translation>
    </message>
    <message>
        <source>     Lecture terminée      </source>
        <translation>     Reading complete      </translation>
    </message>
    <message>
        <source>  Réglage de l&apos;horloge terminé   </source>
        <translation>  Clock set   </translation>
    </message>
    <message>
        <source>  Initialisation de la mémoire de données terminée   <byte value="xd"/>
 Déconnectez le Vexameter </source>
        <translation>  Measurement memory erased   <byte value="xd"/>
 Disconnect the Vexameter </translation>
    </message>
    <message>
        <source>   Commande inconnue   </source>
        <translation>   Unknown command   </translation>
    </message>
    <message>
        <source>  Réglage des paramètres terminé   </source>
        <translation>  Instrument settings written   </translation>
    </message>
    <message>
        <source>     Ce fichier n&apos;est pas valide      </source>
        <translation>     This file is not valid      </translation>
    </message>
    <message>
        <source>   Paramètres incorrects   </source>
        <translation>   Invalid parameters   </translation>
    </message>
    <message>
        <source>Envoi paramètres d&apos;identification</source>
        <translation>Sending identification parameters</translation>
    </message>
    <message>
        <source>Envoi paramètres de mesure</source>
        <translation>Sending measurement parameters</translation>
    </message>
    <message>
        <source>Envoi paramètres généraux</source>
        <translation>Sending general parameters</translation>
    </message>
    <message>
        <source>     Paramétrage terminé      <byte value="xd"/>
 Déconnectez le Vexameter </source>
        <translation>     Parameters sent      <byte value="xd"/>
 Disconnect the Vexameter </translation>
    </message>
    <message>
        <source>     Mot de passe incorrect      </source>
        <translation>     Incorrect password      </translation>
    </message>
    <message>
        <source>Plage : </source>
        <translation>Range: </translation>
    </message>
    <message>
        <source> à </source>
        <translation> to </translation>
    </message>
    <message>
        <source>Seuil min à </source>
        <translation>Minimum threshold to </translation>
    </message>
    <message>
        <source>Seuil min à Seuil max</source>
        <translation>Minimum threshold to maximum threshold</translation>
    </message>
    <message>
        <source> à Tension batterie pleine</source>
        <translation> to full battery voltage</translation>
    </message>
    <message>
        <source> à Tension batterie vide</source>
        <translation> to empty battery voltage</translation>
    </message>
    <message>
        <source>Impossible d&apos;écrire dans %1</source>
        <translation>Unable to write to %1</translation>
    </message>
    <message>
        <source>&apos;%1&apos; n&apos;est pas une date et heure correcte</source>
        <translation>&apos;%1&apos; is not a valid date and time</translation>
    </message>
    <message>
        <source>&apos;%1&apos; n&apos;est pas une valeur entière correcte</source>
        <translation>&apos;%1&apos; is not a valid whole number</translation>
    </message>
    <message>
        <source>Impossible d&apos;ouvrir le fichier %1</source>
        <translation>Cannot open the file %1</translation>
    </message>
    <message>
        <source>Impossible de créer le fichier %1</source>
        <translation>Cannot create the file %1</translation>
    </message>
    <message>
        <source>Le caractère « %1 » ne peut pas être enregistré dans %2</source>
        <translation>The character “%1” cannot be saved in %2</translation>
    </message>
    <message>
        <source> (masqué)</source>
        <translation> (hidden)</translation>
    </message>
    <message>
        <source> (maintenance)</source>
        <translation> (maintenance mode)</translation>
    </message>
    <message>
        <source>Le caractère « %1 » ne peut pas être transmis à l&apos;instrument</source>
        <translation>The character “%1” cannot be sent to the instrument</translation>
    </message>
    <message>
        <source>Le fichier %1 existe déjà.<byte value="xd"/>
Voulez-vous le remplacer ?</source>
        <translation>The file %1 already exists.<byte value="xd"/>
Do you want to replace it?</translation>
    </message>
    <message>
        <source>Le fichier %1 déjà présent a été conservé.</source>
        <translation>The existing file %1 has been kept.</translation>
    </message>
    <message>
        <source>Impossible de créer le fichier %1 : %2</source>
        <translation>Cannot create the file %1: %2</translation>
    </message>
</context>
<context>
    <name>ParamEditorPanel</name>
    <message>
        <source>Temps de comptage (ms)  (*)</source>
        <translation>Counting time (ms)  (*)</translation>
    </message>
    <message>
        <source>Intervalle de temps en mode tracking (s)</source>
        <translation>Time interval in tracking mode (s)</translation>
    </message>
    <message>
        <source>Moyenne glissante affichage (points)</source>
        <translation>Display moving average (points)</translation>
    </message>
    <message>
        <source>Moyenne glissantealarme (points)</source>
        <translation>Alarm moving average (points)</translation>
    </message>
    <message>
        <source>Seuil fixe minimum (cps)</source>
        <translation>Minimum fixed threshold (cps)</translation>
    </message>
    <message>
        <source>Seuil fixe maximum (cps)</source>
        <translation>Maximum fixed threshold (cps)</translation>
    </message>
    <message>
        <source>Seuil fixe courant (cps)</source>
        <translation>Current fixed threshold (cps)</translation>
    </message>
    <message>
        <source>Temporisation fin d&apos;alarme (ms)  (*)</source>
        <translation>End-of-alarm delay (ms)  (*)</translation>
    </message>
    <message>
        <source>Durée avant arrêt auto (s)</source>
        <translation>Time before automatic switch-off (s)</translation>
    </message>
    <message>
        <source>Tension batterie pleine (1/100 V)</source>
        <translation>Full battery voltage (1/100 V)</translation>
    </message>
    <message>
        <source>Tension batterie vide (1/100 V)</source>
        <translation>Empty battery voltage (1/100 V)</translation>
    </message>
    <message>
        <source>Seuil d&apos;arrêt sur batterie vide (1/100 V)</source>
        <translation>Switch-off threshold on empty battery (1/100 V)</translation>
    </message>
    <message>
        <source>Seuil haut éclairage LCD (0-1023)</source>
        <translation>LCD lighting upper threshold (0-1023)</translation>
    </message>
    <message>
        <source>Seuil bas éclairage LCD (0-1023)</source>
        <translation>LCD lighting lower threshold (0-1023)</translation>
    </message>
    <message>
        <source>Rafraichissement à l&apos;écran (ms)  (*)</source>
        <translation>Display refresh (ms)  (*)</translation>
    </message>
    <message>
        <source>Time out communications série/USB (ms)  (*)</source>
        <translation>Serial/USB communication time-out (ms)  (*)</translation>
    </message>
    <message>
        <source>Fréquence buzzer (Hz)</source>
        <translation>Buzzer frequency (Hz)</translation>
    </message>
    <message>
        <source>Coefficient seuil dynamique</source>
        <translation>Dynamic threshold coefficient</translation>
    </message>
    <message>
        <source>Opérateur / Commentaires</source>
        <translation>Operator / Comments</translation>
    </message>
    <message>
        <source>Ficher créé le</source>
        <translation>File created on</translation>
    </message>
    <message>
        <source>Langue</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>Mode</translation>
    </message>
    <message>
        <source>Alarme</source>
        <translation>Alarm</translation>
    </message>
    <message>
        <source> Identification </source>
        <translation> Identification </translation>
    </message>
    <message>
        <source> Mesure Gamma </source>
        <translation> Gamma Measurement </translation>
    </message>
    <message>
        <source> Alarmes </source>
        <translation> Alarms </translation>
    </message>
    <message>
        <source> Batterie </source>
        <translation> Battery </translation>
    </message>
    <message>
        <source> Divers</source>
        <translation> Miscellaneous</translation>
    </message>
    <message>
        <source>Francais</source>
        <translation>French</translation>
    </message>
    <message>
        <source>Anglais (date au format jj/mm/aaaa)</source>
        <translation>English (date as dd/mm/yyyy)</translation>
    </message>
    <message>
        <source>Anglais (date au format mm/jj/aaaa)</source>
        <translation>English (date as mm/dd/yyyy)</translation>
    </message>
    <message>
        <source>Mesure Gamma uniquement</source>
        <translation>Gamma measurement only</translation>
    </message>
    <message>
        <source>Mesure Gamma + mémorisation</source>
        <translation>Gamma measurement + storing</translation>
    </message>
    <message>
        <source>Mesure Gamma + mémorisation + GPS</source>
        <translation>Gamma measurement + storing + GPS</translation>
    </message>
    <message>
        <source>Pas d&apos;alarme</source>
        <translation>No alarm</translation>
    </message>
    <message>
        <source>Alarme avec seuil fixe</source>
        <translation>Alarm with fixed threshold</translation>
    </message>
    <message>
        <source>(*)</source>
        <translation>(*)</translation>
    </message>
    <message>
        <source>Réglable par pas de 10 ms</source>
        <translation>Adjustable in steps of 10 ms</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Enregistrer le fichier</source>
        <translation>Save the file</translation>
    </message>
</context>
<context>
    <name>ParametresPanel</name>
    <message>
        <source>Sélectionner un fichier :</source>
        <translation>Select a file:</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Editer le fichier</source>
        <translation>Edit the file</translation>
    </message>
    <message>
        <source>Envoyer les paramètres</source>
        <translation>Send the parameters</translation>
    </message>
</context>
<context>
    <name>TFormMain</name>
    <message>
        <source>VEXA-Reader</source>
        <translation>VEXA-Reader</translation>
    </message>
    <message>
        <source>Accueil</source>
        <translation>Home</translation>
    </message>
    <message>
        <source>Lecture</source>
        <translation>Download</translation>
    </message>
    <message>
        <source>Initialisation</source>
        <translation>Set-up</translation>
    </message>
    <message>
        <source>Paramétrage</source>
        <translation>Parameters</translation>
    </message>
    <message>
        <source>Maintenance</source>
        <translation>Maintenance</translation>
    </message>
</context>
<context>
    <name>TFormPassword</name>
    <message>
        <source>Maintenance</source>
        <translation>Maintenance</translation>
    </message>
    <message>
        <source>Mot de passe</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
</TS>
