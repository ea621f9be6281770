#include "player.h"

CPlayer::CPlayer(int side)
    : side(side)
    , opponent(nullptr)
{ }

CPlayer::~CPlayer() = default;
