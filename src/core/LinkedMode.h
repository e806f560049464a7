// Linked mode of the simulation network: on while the program runs normally,
// off while everything is deleted wholesale (game start, shutdown), when
// deleting a node skips unlinking it from the others. Frames draw only while
// it is on.
#pragma once

void SetLinkedMode(bool linked);
bool IsLinkedMode();
