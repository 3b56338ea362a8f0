<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="fr">
<context>
    <name>ClockAndMemory</name>
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
</context>
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
    <message>
        <source>Français</source>
        <translation>Français</translation>
    </message>
    <message>
        <source>Logo Norvane</source>
        <translation>Norvane logo</translation>
    </message>
    <message>
        <source>Ouvre la page web du fabricant</source>
        <translation>Opens the maker&apos;s web page</translation>
    </message>
    <message>
        <source>Détails de la recherche</source>
        <translation>Search details</translation>
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
    <name>MegaMenu</name>
    <message>
        <source>Menu principal</source>
        <translation>Main menu</translation>
    </message>
    <message>
        <source>Touche %1</source>
        <translation>Key %1</translation>
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
    <message>
        <source>Ports essayés :</source>
        <translation>Ports tried:</translation>
    </message>
    <message>
        <source>Le port %1 a répondu.</source>
        <translation>The port %1 answered.</translation>
    </message>
    <message>
        <source>Le port %1 s&apos;est ouvert, mais rien n&apos;a répondu en 2 secondes.</source>
        <translation>The port %1 opened, but nothing answered within 2 seconds.</translation>
    </message>
    <message>
        <source>Vérifier que le Vexameter est allumé et que son câble est branché sur ce port.</source>
        <translation>Check that the Vexameter is switched on and that its cable is plugged into this port.</translation>
    </message>
    <message>
        <source>Ce port est aussi ouvert par un autre programme (%1), qui peut lui prendre ses réponses.</source>
        <translation>This port is also open in another program (%1), which may be taking its replies.</translation>
    </message>
    <message>
        <source>Le port %1 n&apos;existe pas : l&apos;adaptateur est-il branché ?</source>
        <translation>The port %1 does not exist: is the adapter plugged in?</translation>
    </message>
    <message>
        <source>Vous n&apos;avez pas le droit d&apos;utiliser le port %1.</source>
        <translation>You are not allowed to use the port %1.</translation>
    </message>
    <message>
        <source>Vous n&apos;avez pas le droit d&apos;utiliser le port %1 : il est réservé au groupe %2, dont vous ne faites pas partie.</source>
        <translation>You are not allowed to use the port %1: it is reserved for the group %2, which you are not a member of.</translation>
    </message>
    <message>
        <source>Vous n&apos;avez pas encore le droit d&apos;utiliser le port %1 : vous avez été inscrit dans le groupe %2 après l&apos;ouverture de cette session.</source>
        <translation>You are not yet allowed to use the port %1: you were added to the group %2 after this session began.</translation>
    </message>
    <message>
        <source>Vous n&apos;avez pas le droit d&apos;utiliser le port %1 : seul l&apos;utilisateur %2 y a accès.</source>
        <translation>You are not allowed to use the port %1: only the user %2 has access to it.</translation>
    </message>
    <message>
        <source>Vous n&apos;avez pas le droit d&apos;utiliser le port %1, bien que vous soyez dans le groupe %2.</source>
        <translation>You are not allowed to use the port %1, although you are a member of the group %2.</translation>
    </message>
    <message>
        <source>Pour entrer dans le groupe %1, taper dans un terminal la commande ci-dessous, puis fermer la session et la rouvrir :</source>
        <translation>To join the group %1, type the command below in a terminal, then log out and back in:</translation>
    </message>
    <message>
        <source>Fermer la session et la rouvrir (ou redémarrer l&apos;ordinateur).</source>
        <translation>Log out and back in (or restart the computer).</translation>
    </message>
    <message>
        <source>Demander à l&apos;administrateur de donner ce port au groupe %1 par une règle udev (GROUP=&quot;%1&quot;, MODE=&quot;0660&quot;).</source>
        <translation>Ask the administrator to give this port to the group %1 with a udev rule (GROUP=&quot;%1&quot;, MODE=&quot;0660&quot;).</translation>
    </message>
    <message>
        <source>Un bac à sable (Flatpak, Snap) ou une règle de sécurité bloque peut-être l&apos;accès : lancer le programme hors du bac à sable, ou lui accorder l&apos;accès aux ports série.</source>
        <translation>A sandbox (Flatpak, Snap) or a security policy may be blocking the access: run the program outside the sandbox, or grant it access to serial ports.</translation>
    </message>
    <message>
        <source>Le port %1 est utilisé par un autre programme (%2).</source>
        <translation>The port %1 is used by another program (%2).</translation>
    </message>
    <message>
        <source>Le port %1 est utilisé par un autre programme.</source>
        <translation>The port %1 is used by another program.</translation>
    </message>
    <message>
        <source>Fermer ce programme (terminal série, autre copie de VEXA-Reader...), puis cliquer sur &quot;Connexion&quot;.</source>
        <translation>Close that program (serial terminal, another copy of VEXA-Reader...), then click &quot;Connect&quot;.</translation>
    </message>
    <message>
        <source>Le port %1 est probablement utilisé par un autre programme (%2) : un fichier de verrou le dit, mais n&apos;importe quel utilisateur a pu l&apos;écrire.</source>
        <translation>The port %1 is probably used by another program (%2): a lock file says so, but any user may have written it.</translation>
    </message>
    <message>
        <source>Le port %1 est bloqué : son fichier de verrou %2 n&apos;est pas un fichier ordinaire (un autre utilisateur a pu le mettre là).</source>
        <translation>The port %1 is blocked: its lock file %2 is not a regular file (another user may have put it there).</translation>
    </message>
    <message>
        <source>Faire supprimer ce fichier par l&apos;administrateur :</source>
        <translation>Have the administrator delete this file:</translation>
    </message>
    <message>
        <source>%1 n&apos;est pas un port série (%2).</source>
        <translation>%1 is not a serial port (%2).</translation>
    </message>
    <message>
        <source>fichier ordinaire</source>
        <translation>regular file</translation>
    </message>
    <message>
        <source>dossier</source>
        <translation>folder</translation>
    </message>
    <message>
        <source>périphérique qui n&apos;est pas une ligne série</source>
        <translation>device that is not a serial line</translation>
    </message>
    <message>
        <source>fichier spécial</source>
        <translation>special file</translation>
    </message>
    <message>
        <source>Retirer ce chemin de VEXA_EXTRA_PORTS.</source>
        <translation>Remove this path from VEXA_EXTRA_PORTS.</translation>
    </message>
    <message>
        <source>Le port %1 a échoué pendant l&apos;essai (%2).</source>
        <translation>The port %1 failed during the test (%2).</translation>
    </message>
    <message>
        <source>%1 désigne le même périphérique que %2, déjà essayé.</source>
        <translation>%1 is the same device as %2, already tried.</translation>
    </message>
    <message>
        <source>Aucun port série n&apos;a été trouvé : le câble est-il branché ?</source>
        <translation>No serial port was found: is the cable plugged in?</translation>
    </message>
    <message>
        <source>La variable d&apos;environnement VEXA_EXTRA_PORTS ajoute des ports que le système ne liste pas, séparés par &quot;:&quot; (par exemple /dev/rfcomm0 pour une liaison Bluetooth).</source>
        <translation>The environment variable VEXA_EXTRA_PORTS adds ports that the system does not list, separated by &quot;:&quot; (for example /dev/rfcomm0 for a Bluetooth link).</translation>
    </message>
    <message>
        <source>brltty (le pilote des afficheurs braille) est installé et un adaptateur %1 est branché : brltty s&apos;empare souvent de ces adaptateurs, dont le port apparaît puis disparaît.</source>
        <translation>brltty (the braille display driver) is installed and a %1 adapter is plugged in: brltty often takes such adapters, whose port then appears and vanishes.</translation>
    </message>
    <message>
        <source>Si vous n&apos;utilisez pas d&apos;afficheur braille, désinstaller le paquet brltty ou le désactiver par les commandes ci-dessous, puis rebrancher l&apos;adaptateur :</source>
        <translation>If you do not use a braille display, uninstall the brltty package or disable it with the commands below, then plug the adapter in again:</translation>
    </message>
    <message>
        <source>ModemManager est en marche : il essaie les ports série qui apparaissent et peut occuper celui du Vexameter.</source>
        <translation>ModemManager is running: it probes serial ports as they appear and may keep the Vexameter&apos;s port busy.</translation>
    </message>
    <message>
        <source>Pour qu&apos;il laisse l&apos;adaptateur en paix, taper dans un terminal les commandes ci-dessous, puis rebrancher l&apos;adaptateur :</source>
        <translation>To make it leave the adapter alone, type the commands below in a terminal, then plug the adapter in again:</translation>
    </message>
    <message>
        <source>Les opérations de VEXA-Reader depuis un terminal ou un script : transfert des mesures, horloge, effacement, fichiers de paramètres, paramètres spécifiques.</source>
        <translation>The operations of VEXA-Reader from a terminal or a script: measurement transfer, clock, erase, parameter files, specific parameters.</translation>
    </message>
    <message>
        <source>Utilisation : %1</source>
        <translation>Usage: %1</translation>
    </message>
    <message>
        <source>Commandes :</source>
        <translation>Commands:</translation>
    </message>
    <message>
        <source>Chaque commande accepte --help (son aide) et --trace FICHIER (tout ce qui passe sur la ligne série, horodaté). « vexa-cli --version » donne la version.</source>
        <translation>Every command takes --help (its help) and --trace FILE (everything said on the serial line, time-stamped). &quot;vexa-cli --version&quot; gives the version.</translation>
    </message>
    <message>
        <source>Variables d&apos;environnement :</source>
        <translation>Environment variables:</translation>
    </message>
    <message>
        <source>ports série à essayer en plus de ceux du système, séparés par « : »</source>
        <translation>serial ports to try besides the system&apos;s, separated by &quot;:&quot;</translation>
    </message>
    <message>
        <source>le mot de passe de maintenance, pour la commande specific</source>
        <translation>the maintenance password, for the specific command</translation>
    </message>
    <message>
        <source>français quand la langue des messages est le français, anglais sinon</source>
        <translation>French when the messages&apos; language is French, English otherwise</translation>
    </message>
    <message>
        <source>Codes de sortie :</source>
        <translation>Exit statuses:</translation>
    </message>
    <message>
        <source>opération terminée</source>
        <translation>done</translation>
    </message>
    <message>
        <source>autre erreur</source>
        <translation>another error</translation>
    </message>
    <message>
        <source>commande, option ou argument incorrect</source>
        <translation>wrong command, option or argument</translation>
    </message>
    <message>
        <source>aucun instrument détecté</source>
        <translation>no instrument found</translation>
    </message>
    <message>
        <source>l&apos;instrument ne répond pas</source>
        <translation>the instrument does not answer</translation>
    </message>
    <message>
        <source>erreur de communication</source>
        <translation>communication error</translation>
    </message>
    <message>
        <source>erreur de lecture d&apos;une réponse</source>
        <translation>a reply could not be read</translation>
    </message>
    <message>
        <source>aucune mesure en mémoire</source>
        <translation>no measurement in memory</translation>
    </message>
    <message>
        <source>fichier non valide</source>
        <translation>invalid file</translation>
    </message>
    <message>
        <source>réglage hors de sa plage</source>
        <translation>a setting is out of its range</translation>
    </message>
    <message>
        <source>le fichier résultat existe déjà (--force pour le remplacer)</source>
        <translation>the result file exists already (--force replaces it)</translation>
    </message>
    <message>
        <source>un fichier ne peut être lu ou écrit</source>
        <translation>a file cannot be read or written</translation>
    </message>
    <message>
        <source>--every-instrument : un instrument détecté n&apos;a pas été lu</source>
        <translation>--every-instrument: an instrument found was not read</translation>
    </message>
    <message>
        <source>mot de passe de maintenance refusé</source>
        <translation>maintenance password refused</translation>
    </message>
    <message>
        <source>le port est utilisé par un autre programme</source>
        <translation>the port is in use by another program</translation>
    </message>
    <message>
        <source>Voir aussi vexa-reader(1), la fenêtre, et vexa-sim(1), l&apos;instrument simulé. Un fichier de paramètres d&apos;exemple : %1</source>
        <translation>See also vexa-reader(1), the window, and vexa-sim(1), the simulated instrument. An example parameter file: %1</translation>
    </message>
    <message>
        <source>Affiche l&apos;aide de la commande.</source>
        <translation>Shows the command&apos;s help.</translation>
    </message>
    <message>
        <source>Écrit dans FILE chaque ligne envoyée et reçue, avec les millisecondes, CR, LF et les octets non imprimables rendus visibles.</source>
        <translation>Writes every line sent and received to FILE, with milliseconds, CR, LF and non-printable bytes made visible.</translation>
    </message>
    <message>
        <source>Le port série de l&apos;instrument ; sans cette option, les ports sont essayés comme au démarrage de la fenêtre.</source>
        <translation>The instrument&apos;s serial port; without it, the ports are tried as the window does at its start.</translation>
    </message>
    <message>
        <source>Donne le résultat en JSON sur la sortie standard.</source>
        <translation>Gives the result as JSON on standard output.</translation>
    </message>
    <message>
        <source>Voir « %1 ».</source>
        <translation>See &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Commande inconnue : %1</source>
        <translation>Unknown command: %1</translation>
    </message>
    <message>
        <source>L&apos;option %1 demande une valeur.</source>
        <translation>The option %1 needs a value.</translation>
    </message>
    <message>
        <source>Argument manquant : %1</source>
        <translation>Missing argument: %1</translation>
    </message>
    <message>
        <source>Argument en trop : %1</source>
        <translation>Unexpected argument: %1</translation>
    </message>
    <message>
        <source>essaie les ports série et dit pourquoi chacun a échoué</source>
        <translation>tries the serial ports and tells why each failed</translation>
    </message>
    <message>
        <source>Cherche l&apos;instrument comme la fenêtre : chaque port dans l&apos;ordre, jusqu&apos;au premier qui répond. Pour chaque port essayé : ce qui s&apos;est passé et comment y remédier.</source>
        <translation>Searches for the instrument as the window does: each port in order, up to the first that answers. For each port tried: what happened and how to mend it.</translation>
    </message>
    <message>
        <source>affiche l&apos;identité de l&apos;instrument</source>
        <translation>shows the instrument&apos;s identity</translation>
    </message>
    <message>
        <source>Affiche les six champs de l&apos;identification de l&apos;instrument (description, référence produit, version du logiciel, fichier paramètres, numéro de série, référence PM).</source>
        <translation>Shows the six fields of the instrument&apos;s identification (description, product reference, software version, parameter file, serial number, PM reference).</translation>
    </message>
    <message>
        <source>copie les mesures de l&apos;instrument dans un fichier résultat</source>
        <translation>copies the instrument&apos;s measurements into a result file</translation>
    </message>
    <message>
        <source>Transfère toutes les mesures de l&apos;instrument dans un fichier résultat, octet pour octet celui de la fenêtre. Nom par défaut : VEXAaammjjhhnn.txt dans le dossier. Un fichier existant n&apos;est jamais remplacé sans --force. Avec --every-instrument, chaque port listé est essayé et chaque instrument qui répond est lu dans VEXAaammjjhhnn-&lt;numéro de série&gt;.txt.</source>
        <translation>Transfers every measurement of the instrument into a result file, byte for byte the window&apos;s. Default name: VEXAyymmddhhnn.txt in the folder. An existing file is never replaced without --force. With --every-instrument, every listed port is tried and every instrument that answers is read into VEXAyymmddhhnn-&lt;serial number&gt;.txt.</translation>
    </message>
    <message>
        <source>Le fichier résultat.</source>
        <translation>The result file.</translation>
    </message>
    <message>
        <source>Le dossier du fichier proposé (par défaut le dossier courant).</source>
        <translation>The folder of the proposed file (the current folder by default).</translation>
    </message>
    <message>
        <source>Remplace un fichier résultat existant.</source>
        <translation>Replaces an existing result file.</translation>
    </message>
    <message>
        <source>Lit chaque instrument branché, un fichier chacun, puis affiche un tableau récapitulatif.</source>
        <translation>Reads every instrument plugged in, one file each, then shows a summary table.</translation>
    </message>
    <message>
        <source>--output et --folder ne vont pas ensemble.</source>
        <translation>--output and --folder do not go together.</translation>
    </message>
    <message>
        <source>--every-instrument essaie tous les ports et nomme lui-même les fichiers : ni --port ni --output.</source>
        <translation>--every-instrument tries every port and names the files itself: neither --port nor --output.</translation>
    </message>
    <message>
        <source>Le dossier %1 n&apos;existe pas.</source>
        <translation>The folder %1 does not exist.</translation>
    </message>
    <message>
        <source>Le fichier %1 existe déjà ; --force le remplace.</source>
        <translation>The file %1 exists already; --force replaces it.</translation>
    </message>
    <message>
        <source>Fichier résultat : %1 (%2 lignes de mesure)</source>
        <translation>Result file: %1 (%2 measurement lines)</translation>
    </message>
    <message>
        <source>Instruments détectés : %1, tous lus.</source>
        <translation>Instruments found: %1, all read.</translation>
    </message>
    <message>
        <source>Instruments détectés : %1, pas tous lus.</source>
        <translation>Instruments found: %1, not all read.</translation>
    </message>
    <message>
        <source>Numéro de série</source>
        <translation>Serial number</translation>
    </message>
    <message>
        <source>Résultat</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>Fichier</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Référence produit</source>
        <translation>Product reference</translation>
    </message>
    <message>
        <source>Version du logiciel</source>
        <translation>Software version</translation>
    </message>
    <message>
        <source>Fichier paramètres</source>
        <translation>Parameter file</translation>
    </message>
    <message>
        <source>Référence PM</source>
        <translation>PM reference</translation>
    </message>
    <message>
        <source>règle l&apos;horloge de l&apos;instrument</source>
        <translation>sets the instrument&apos;s clock</translation>
    </message>
    <message>
        <source>Règle l&apos;horloge de l&apos;instrument à l&apos;heure de l&apos;ordinateur, ou à celle de --at, dans l&apos;ordre de date de sa langue.</source>
        <translation>Sets the instrument&apos;s clock to the computer&apos;s time, or to the time of --at, in the date order of its language.</translation>
    </message>
    <message>
        <source>La date et l&apos;heure à régler, au lieu de maintenant.</source>
        <translation>The date and time to set, instead of now.</translation>
    </message>
    <message>
        <source>efface la mémoire de mesures de l&apos;instrument</source>
        <translation>erases the instrument&apos;s measurement memory</translation>
    </message>
    <message>
        <source>Efface toutes les mesures stockées dans l&apos;instrument. C&apos;est irréversible : la commande refuse sans --yes.</source>
        <translation>Erases every measurement stored in the instrument. It cannot be undone: the command refuses without --yes.</translation>
    </message>
    <message>
        <source>Confirme l&apos;effacement.</source>
        <translation>Confirms the erase.</translation>
    </message>
    <message>
        <source>L&apos;effacement est irréversible : ajouter --yes pour confirmer.</source>
        <translation>Erasing cannot be undone: add --yes to confirm.</translation>
    </message>
    <message>
        <source>vérifie un fichier de paramètres sans instrument</source>
        <translation>checks a parameter file without an instrument</translation>
    </message>
    <message>
        <source>Vérifie un fichier de paramètres comme l&apos;éditeur : sa validité, puis chaque réglage avec sa valeur, sa plage et son résultat. Code 0 seulement quand la fenêtre laisserait enregistrer et envoyer le fichier.</source>
        <translation>Checks a parameter file as the editor does: its validity, then each setting with its value, its range and its result. Status 0 only when the window would let the file be saved and sent.</translation>
    </message>
    <message>
        <source>La version du logiciel de l&apos;instrument, qui décide des réglages masqués.</source>
        <translation>The instrument&apos;s software version, which decides the hidden settings.</translation>
    </message>
    <message>
        <source>Comme en mode maintenance : les réglages verrouillés sont modifiables.</source>
        <translation>As in maintenance mode: the locked settings can be changed.</translation>
    </message>
    <message>
        <source>Réglage</source>
        <translation>Setting</translation>
    </message>
    <message>
        <source>Valeur</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Plage</source>
        <translation>Range</translation>
    </message>
    <message>
        <source>correct</source>
        <translation>passes</translation>
    </message>
    <message>
        <source>refusé</source>
        <translation>refused</translation>
    </message>
    <message>
        <source>Le fichier peut être enregistré et envoyé.</source>
        <translation>The file can be saved and sent.</translation>
    </message>
    <message>
        <source>envoie un fichier de paramètres à l&apos;instrument</source>
        <translation>sends a parameter file to the instrument</translation>
    </message>
    <message>
        <source>Envoie les enregistrements #P, #R, #G et #F du fichier à l&apos;instrument, comme la fenêtre, avec les mêmes pauses.</source>
        <translation>Sends the file&apos;s #P, #R, #G and #F records to the instrument, as the window does, with the same pauses.</translation>
    </message>
    <message>
        <source>paramètres spécifiques de l&apos;instrument (maintenance)</source>
        <translation>the instrument&apos;s specific parameters (maintenance)</translation>
    </message>
    <message>
        <source>Paramètres spécifiques, en mode maintenance (mot de passe demandé au terminal ou lu dans VEXA_MAINTENANCE_PASSWORD). read : les lit. write : les écrit, modifiés par les options. save FICHIER.par : les lit et les enregistre. load FICHIER.par : écrit dans l&apos;instrument ceux du fichier, en gardant son indicateur de maintenance.</source>
        <translation>Specific parameters, in maintenance mode (password asked on the terminal or read from VEXA_MAINTENANCE_PASSWORD). read: reads them. write: writes them, changed by the options. save FILE.par: reads and saves them. load FILE.par: writes the file&apos;s into the instrument, keeping its maintenance flag.</translation>
    </message>
    <message>
        <source>write : le numéro d&apos;instrument.</source>
        <translation>write: the instrument number.</translation>
    </message>
    <message>
        <source>write : la référence PM/scintillateur.</source>
        <translation>write: the PM/scintillator reference.</translation>
    </message>
    <message>
        <source>write : le réglage HT en volts.</source>
        <translation>write: the HV setting in volts.</translation>
    </message>
    <message>
        <source>write : le contraste (0-1023).</source>
        <translation>write: the contrast (0-1023).</translation>
    </message>
    <message>
        <source>write : l&apos;indicateur de maintenance, 1 ou 0.</source>
        <translation>write: the maintenance flag, 1 or 0.</translation>
    </message>
    <message>
        <source>Action inconnue : %1 (read, write, load ou save).</source>
        <translation>Unknown action: %1 (read, write, load or save).</translation>
    </message>
    <message>
        <source>Les valeurs ne se donnent qu&apos;avec write.</source>
        <translation>Values are given with write only.</translation>
    </message>
    <message>
        <source>%1 : %2 caractères au plus.</source>
        <translation>%1: %2 characters at most.</translation>
    </message>
    <message>
        <source>%1 : des chiffres seulement, %2 au plus.</source>
        <translation>%1: digits only, %2 at most.</translation>
    </message>
    <message>
        <source>%1 : 1 ou 0.</source>
        <translation>%1: 1 or 0.</translation>
    </message>
    <message>
        <source>Mot de passe de maintenance : </source>
        <translation>Maintenance password: </translation>
    </message>
    <message>
        <source>Le mot de passe de maintenance ne peut être demandé : pas de terminal, et VEXA_MAINTENANCE_PASSWORD n&apos;est pas définie.</source>
        <translation>The maintenance password cannot be asked: no terminal, and VEXA_MAINTENANCE_PASSWORD is not set.</translation>
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
        <source>oui</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>non</source>
        <translation>no</translation>
    </message>
    <message>
        <source>%1 :</source>
        <translation>%1:</translation>
    </message>
    <message>
        <source>L&apos;adresse de l&apos;archive contient un mot de passe, qui ne doit jamais figurer sur la ligne de commande : l&apos;enlever de l&apos;adresse et le mettre dans ~/.pgpass (ou dans le fichier que nomme PGPASSFILE).</source>
        <translation>The archive&apos;s address holds a password, which must never appear on a command line: take it out of the address and put it in ~/.pgpass (or in the file PGPASSFILE names).</translation>
    </message>
    <message>
        <source>Adresse d&apos;archive incorrecte (%1) : sqlite:CHEMIN ou postgresql://utilisateur@hôte:port/base attendu.</source>
        <translation>Wrong archive address (%1): sqlite:PATH or postgresql://user@host:port/database expected.</translation>
    </message>
    <message>
        <source>Le pilote de base de données %1 de Qt n&apos;est pas installé (paquet %2).</source>
        <translation>Qt&apos;s database driver %1 is not installed (package %2).</translation>
    </message>
    <message>
        <source>L&apos;archive %1 est injoignable : %2</source>
        <translation>The archive %1 cannot be reached: %2</translation>
    </message>
    <message>
        <source>L&apos;archive %1 a un schéma de version %2, plus récent que celui de ce programme (%3) : mettre VEXA-Reader à jour.</source>
        <translation>The archive %1 has schema version %2, newer than this program&apos;s (%3): update VEXA-Reader.</translation>
    </message>
    <message>
        <source>L&apos;archive %1 a refusé la demande : %2</source>
        <translation>The archive %1 refused the request: %2</translation>
    </message>
    <message>
        <source>Archive en attente : le téléchargement est gardé dans %1 jusqu&apos;à ce que l&apos;archive réponde (%2).</source>
        <translation>Archive pending: the download is kept in %1 until the archive answers (%2).</translation>
    </message>
    <message>
        <source>Le fichier en attente %1 est illisible et reste en place : %2</source>
        <translation>The pending file %1 cannot be read and stays where it is: %2</translation>
    </message>
    <message>
        <source>Le fichier %1 de l&apos;instrument %2 ne correspond plus à son empreinte SHA-256 dans l&apos;archive.</source>
        <translation>The file %1 of the instrument %2 no longer matches its SHA-256 in the archive.</translation>
    </message>
    <message>
        <source>Impossible d&apos;écrire dans le dossier %1 : %2</source>
        <translation>Cannot write in the folder %1: %2</translation>
    </message>
    <message>
        <source>%1 n&apos;est pas un fichier ordinaire (%2).</source>
        <translation>%1 is not an ordinary file (%2).</translation>
    </message>
    <message>
        <source>Fermer ce programme (terminal série, autre copie de VEXA-Reader...), puis relancer la commande.</source>
        <translation>Close that program (serial terminal, another copy of VEXA-Reader...), then run the command again.</translation>
    </message>
    <message>
        <source>Le résultat n&apos;a pu être écrit sur la sortie standard.</source>
        <translation>The result could not be written to standard output.</translation>
    </message>
    <message>
        <source>Port série</source>
        <translation>Serial port</translation>
    </message>
    <message>
        <source>Désignation</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Indicateur de maintenance</source>
        <translation>Maintenance flag</translation>
    </message>
    <message>
        <source>Le fichier %1 n&apos;a pu être mis en sûreté sur le disque : %2</source>
        <translation>The file %1 could not be made safe on the disk: %2</translation>
    </message>
    <message>
        <source>Le fichier %1 relu sur le disque diffère de ce qui devait y être écrit (%2 octets attendus, %3 relus, premier écart à l&apos;octet %4).</source>
        <translation>The file %1 read back from the disk differs from what was to be written (%2 bytes expected, %3 read back, first difference at byte %4).</translation>
    </message>
    <message>
        <source>Le journal %1 n&apos;est pas un fichier ordinaire ; rien n&apos;y est écrit.</source>
        <translation>The ledger %1 is not a regular file; nothing is written to it.</translation>
    </message>
    <message>
        <source>Impossible d&apos;écrire dans le journal %1 : %2</source>
        <translation>Cannot write to the ledger %1: %2</translation>
    </message>
    <message>
        <source>L&apos;archive des téléchargements : sqlite:CHEMIN ou postgresql://utilisateur@hôte:port/base (par défaut VEXA_ARCHIVE). Jamais de mot de passe dans l&apos;adresse : ~/.pgpass.</source>
        <translation>The archive of downloads: sqlite:PATH or postgresql://user@host:port/database (VEXA_ARCHIVE by default). Never a password in the address: ~/.pgpass.</translation>
    </message>
    <message>
        <source>lit l&apos;archive des téléchargements (list, export, overdue, flush)</source>
        <translation>reads the archive of downloads (list, export, overdue, flush)</translation>
    </message>
    <message>
        <source>Lit l&apos;archive des téléchargements de tous les postes : list (les téléchargements), export (les fichiers résultat rendus octet pour octet), overdue (les instruments non lus depuis N jours), flush (les téléchargements en attente enregistrés). « vexa-cli archive ACTION --help » décrit chaque action.</source>
        <translation>Reads the archive of downloads of every PC: list (the downloads), export (the result files given back byte for byte), overdue (the instruments not read for N days), flush (the waiting downloads stored). &quot;vexa-cli archive ACTION --help&quot; describes each action.</translation>
    </message>
    <message>
        <source>Les téléchargements de l&apos;archive, par date : heure, instrument, poste, issue, lignes de mesure et fichier résultat.</source>
        <translation>The downloads in the archive, by time: time, instrument, PC, outcome, measurement lines and result file.</translation>
    </message>
    <message>
        <source>Écrit dans le dossier les fichiers résultat des téléchargements d&apos;un instrument, octet pour octet, sous leur nom. Un fichier n&apos;est jamais remplacé : un nom pris par un autre contenu donne -2, -3…</source>
        <translation>Writes the result files of one instrument&apos;s downloads into the folder, byte for byte, under their names. A file is never replaced: a name taken by other content gives -2, -3...</translation>
    </message>
    <message>
        <source>Les instruments dont la dernière lecture date de plus de N jours, le plus ancien d&apos;abord.</source>
        <translation>The instruments last read more than N days ago, the longest unread first.</translation>
    </message>
    <message>
        <source>Enregistre dans l&apos;archive les téléchargements qui attendent dans DOSSIER/archive-spool (le dossier des fichiers résultat), chacun une seule fois.</source>
        <translation>Stores in the archive the downloads waiting in FOLDER/archive-spool (the result files&apos; folder), each one once.</translation>
    </message>
    <message>
        <source>Seulement cet instrument (son numéro de série).</source>
        <translation>Only this instrument (its serial number).</translation>
    </message>
    <message>
        <source>Seulement les téléchargements depuis cette date (AAAA-MM-JJ, ou date et heure ISO 8601).</source>
        <translation>Only the downloads since this date (YYYY-MM-DD, or an ISO 8601 date and time).</translation>
    </message>
    <message>
        <source>Le dossier où écrire les fichiers (créé au besoin).</source>
        <translation>The folder to write the files in (created if needed).</translation>
    </message>
    <message>
        <source>Le nombre de jours sans lecture.</source>
        <translation>The number of days without a reading.</translation>
    </message>
    <message>
        <source>Le dossier des fichiers résultat, dont archive-spool garde les téléchargements en attente (par défaut le dossier courant).</source>
        <translation>The result files&apos; folder, whose archive-spool keeps the waiting downloads (the current folder by default).</translation>
    </message>
    <message>
        <source>Aucune archive : donner --archive URL ou définir VEXA_ARCHIVE.</source>
        <translation>No archive: give --archive URL or set VEXA_ARCHIVE.</translation>
    </message>
    <message>
        <source>Action inconnue : %1 (list, export, overdue ou flush).</source>
        <translation>Unknown action: %1 (list, export, overdue or flush).</translation>
    </message>
    <message>
        <source>Date incorrecte : %1 (AAAA-MM-JJ attendu).</source>
        <translation>Invalid date: %1 (YYYY-MM-DD expected).</translation>
    </message>
    <message>
        <source>--days attend un nombre entier de 0 ou plus.</source>
        <translation>--days needs a whole number of 0 or more.</translation>
    </message>
    <message>
        <source>Téléchargement archivé dans %1.</source>
        <translation>Download archived in %1.</translation>
    </message>
    <message>
        <source>Téléchargements en attente enregistrés : %1 (déjà dans l&apos;archive : %2), dans %3.</source>
        <translation>Waiting downloads stored: %1 (already in the archive: %2), in %3.</translation>
    </message>
    <message>
        <source>Fichiers écrits : %1 (déjà présents : %2), dans %3.</source>
        <translation>Files written: %1 (already there: %2), in %3.</translation>
    </message>
    <message>
        <source>Téléchargements : %1.</source>
        <translation>Downloads: %1.</translation>
    </message>
    <message>
        <source>Instruments non lus depuis plus de %2 jours : %1.</source>
        <translation>Instruments not read for more than %2 days: %1.</translation>
    </message>
    <message>
        <source>Heure</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Poste</source>
        <translation>PC</translation>
    </message>
    <message>
        <source>Mesures</source>
        <translation>Measurements</translation>
    </message>
    <message>
        <source>Dernière lecture</source>
        <translation>Last read</translation>
    </message>
    <message>
        <source>Télécharge chaque instrument dès qu&apos;il est branché, jusqu&apos;à l&apos;arrêt</source>
        <translation>Downloads every instrument as soon as it is plugged in, until stopped</translation>
    </message>
    <message>
        <source>Attend les instruments branchés sur ce PC : chaque port qui apparaît est lu après le délai de stabilisation (identité, transfert, fichier résultat VEXAaammjjhhnn-&lt;numéro de série&gt;.txt jamais remplacé), avec une ligne au registre. Un instrument qui reste branché n&apos;est pas relu ; débranché puis rebranché, il l&apos;est. SIGTERM ou SIGINT l&apos;arrête, après l&apos;instrument en cours.</source>
        <translation>Waits for instruments plugged into this PC: each port that appears is read after the settle time (identity, transfer, result file VEXAyymmddhhnn-&lt;serial number&gt;.txt, never replaced), with a line in the ledger. An instrument that stays plugged in is not read again; unplugged and plugged in again, it is. SIGTERM or SIGINT stops it, after the instrument at hand.</translation>
    </message>
    <message>
        <source>Dossier des fichiers résultats (obligatoire).</source>
        <translation>Folder of the result files (required).</translation>
    </message>
    <message>
        <source>Registre CSV des instruments traités (par défaut DIR/ledger.csv).</source>
        <translation>CSV ledger of the instruments handled (DIR/ledger.csv by default).</translation>
    </message>
    <message>
        <source>Règle l&apos;horloge de l&apos;instrument sur celle du PC après le téléchargement.</source>
        <translation>Sets the instrument&apos;s clock to the PC&apos;s time after the download.</translation>
    </message>
    <message>
        <source>Efface la mémoire de l&apos;instrument, seulement si elle a été lue jusqu&apos;au bout, que le fichier est sûr sur le disque et que le même instrument répond encore.</source>
        <translation>Erases the instrument&apos;s memory, only when it was read to its end, the file is safe on the disk and the same instrument still answers.</translation>
    </message>
    <message>
        <source>Délai avant de lire un port apparu (1 seconde par défaut).</source>
        <translation>Wait before reading a port that appeared (1 second by default).</translation>
    </message>
    <message>
        <source>Délai de stabilisation incorrect : %1 (secondes, de 0 à 60).</source>
        <translation>Wrong settle time: %1 (seconds, 0 to 60).</translation>
    </message>
    <message>
        <source>En attente d&apos;instruments : fichiers dans %1, registre %2.</source>
        <translation>Waiting for instruments: files in %1, ledger %2.</translation>
    </message>
    <message>
        <source>Surveillance arrêtée.</source>
        <translation>Watching stopped.</translation>
    </message>
    <message>
        <source>%1 : instrument %2, %3, fichier %4</source>
        <translation>%1: instrument %2, %3, file %4</translation>
    </message>
    <message>
        <source>Mémoire effacée.</source>
        <translation>Memory erased.</translation>
    </message>
    <message>
        <source>Mémoire non effacée : elle n&apos;a pas été lue jusqu&apos;à sa fin.</source>
        <translation>Memory not erased: it was not read to its end.</translation>
    </message>
    <message>
        <source>Mémoire non effacée : aucun fichier résultat sûr sur le disque.</source>
        <translation>Memory not erased: no result file safe on the disk.</translation>
    </message>
    <message>
        <source>Mémoire non effacée : l&apos;instrument qui répond n&apos;est plus celui qui a été lu.</source>
        <translation>Memory not erased: the instrument that answers is no longer the one that was read.</translation>
    </message>
    <message>
        <source>Mémoire non effacée : l&apos;instrument ne répond plus.</source>
        <translation>Memory not erased: the instrument no longer answers.</translation>
    </message>
    <message>
        <source>Mémoire non effacée : %1</source>
        <translation>Memory not erased: %1</translation>
    </message>
    <message>
        <source>Mémoire non effacée : l&apos;archive n&apos;a pas encore enregistré ce téléchargement.</source>
        <translation>Memory not erased: the archive has not stored this download yet.</translation>
    </message>
    <message>
        <source>Cet adaptateur USB a refusé le mode à faible latence : il garde chaque réponse jusqu&apos;à la fin de son délai de latence (16 ms d&apos;ordinaire), ce qui allonge un transfert jusqu&apos;au double.</source>
        <translation>This USB adapter refused the low-latency mode: it holds every reply until its latency timer runs out (16 ms as a rule), which makes a transfer up to twice as long.</translation>
    </message>
    <message>
        <source>Régler son délai de latence à 1 ms, tout de suite puis à chaque branchement par une règle udev :</source>
        <translation>Set its latency timer to 1 ms, now and, through a udev rule, at every plug-in:</translation>
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
</context>
<context>
    <name>ParameterEditorPages</name>
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
        <source>Éditeur de paramètres</source>
        <translation>Parameter editor</translation>
    </message>
</context>
<context>
    <name>ParameterEditorPanel</name>
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
    <name>ParameterFilePanel</name>
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
    <message>
        <source>Fichier paramètres</source>
        <translation>Parameter file</translation>
    </message>
</context>
<context>
    <name>SpecificParametersBox</name>
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
    <message>
        <source>Animation d&apos;attente</source>
        <translation>Busy animation</translation>
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
    <message>
        <source>Cadenas</source>
        <translation>Padlock</translation>
    </message>
</context>
<context>
    <name>TransferPanel</name>
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
    <message>
        <source>Fichier résultat</source>
        <translation>Result file</translation>
    </message>
    <message>
        <source>Mesures transférées</source>
        <translation>Transferred measurements</translation>
    </message>
</context>
</TS>
