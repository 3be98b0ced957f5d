// Loads the recipient list given as its argument, then saves it again and again, version B
// then version A then B..., writing one line "A" or "B" to its output after each save. It
// never ends by itself: the crash test kills it at random moments.
#include "SaveLoopContents.h"
#include "files/FakeHolders.h"

#include "files/TextFile.h"

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 2)
        return 2;
    const QString path = QString::fromLocal8Bit(argv[1]);
    const QStringList versions[2] = {SaveLoopLines('B'), SaveLoopLines('A')};
    FakeLineList list;
    try {
        LoadLineList(list, path);
        for (int turn = 0;; turn = 1 - turn) {
            list.lines = versions[turn];
            SaveLineList(list, path);
            std::printf("%c\n", turn == 0 ? 'B' : 'A');
            std::fflush(stdout);
        }
    } catch (const AppError &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
