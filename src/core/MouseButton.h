// The mouse buttons the program tells apart.
#pragma once

enum class TMouseButton { mbLeft, mbRight, mbMiddle };
