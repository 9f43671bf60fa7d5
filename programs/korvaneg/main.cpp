#include "app/Main.h"

int main(int argc, char* argv[])
{
    return runKorvane(argc, argv, EditionId::German);
}
