#include "position.h"

void CPosition::gameOver(int result)
{
    m_result = result;
}
