// The game object: the one state record and the seams it draws and times through.
#include "engine/game.h"

Game::Game(GameDrawing& drawing, GameClock& clock, GameTimer& timer)
    : drawing_(drawing), clock_(clock), timer_(timer) {}
