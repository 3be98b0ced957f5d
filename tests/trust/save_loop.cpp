// Loads the recipient list given as its argument, then saves it again and again, the other
// version than the file's first (A, B, A... on a file holding B). It writes "loaded" to its
// output once the list is loaded, then one line "A" or "B" after each save: any save that
// ends changes the file. It never ends by itself: the crash test kills it at random moments.
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
        std::printf("loaded\n");
        std::fflush(stdout);
        for (int turn = list.lines == versions[0] ? 1 : 0;; turn = 1 - turn) {
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
