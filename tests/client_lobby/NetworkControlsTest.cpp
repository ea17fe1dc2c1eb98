#include "LobbyFixture.h"
