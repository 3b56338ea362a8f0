#pragma once

#include <QString>

// Who may use a device node, from its file status and this process's identity.
struct DeviceAccess {
    enum Kind { Missing, Unreachable, CharDevice, RegularFile, Directory, OtherFile };
    Kind kind = Missing;
    QString owner;                  // user owning the node
    QString group;                  // group owning the node
    bool groupMayReadWrite = false; // the group's permission bits allow reading and writing
    bool mayOpen = false;           // this process may read and write it
    bool processHasGroup = false;   // this process runs with the node's group
    bool userListedInGroup = false; // the user database puts the user in that group
    QString userName;               // the user this process runs as
    QString serialGroup;            // the group that gives users the serial lines here
};

DeviceAccess deviceAccess(const QString& path);

// The group through which ordinary users reach serial ports on this system ("dialout" on
// Debian and Fedora, "uucp" on Arch).
QString serialPortGroup();
