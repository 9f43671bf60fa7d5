#include "state/StateNotifier.h"

StateNotifier& StateNotifier::instance()
{
    static StateNotifier notifier;
    return notifier;
}
