// Another program that holds a serial port: the way Qt programs do, through the port's lock
// file, or with --plain the way a terminal program without locks does (a bare open). It
// opens the port named on its command line, prints "held", and keeps the port until its
// standard input closes.
#include <QCoreApplication>
#include <QFile>
#include <QSerialPort>

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const bool plain = argc == 3 && std::strcmp(argv[1], "--plain") == 0;
    if (argc != 2 && !plain) {
        std::fputs("usage: port-holder [--plain] PORT\n", stderr);
        return 2;
    }
    const char* path = argv[argc - 1];
    QSerialPort port(QString::fromLocal8Bit(path));
    if (plain) {
        if (::open(path, O_RDWR | O_NOCTTY) < 0) {
            std::perror(path);
            return 1;
        }
    } else if (!port.open(QIODevice::ReadWrite)) {
        std::fprintf(stderr, "%s\n", qPrintable(port.errorString()));
        return 1;
    }
    std::puts("held");
    std::fflush(stdout);
    char byte;
    while (::read(STDIN_FILENO, &byte, 1) > 0) {
    }
    return 0;
}
