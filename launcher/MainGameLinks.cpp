#include "MainGameLinks.h"

MainGameLinks& GamePageLinks() {
    static MainGameLinks links;
    return links;
}
