#pragma once

namespace imaging {

// Keeps the memory of freed pictures in the process for the next ones instead of giving it back
// to the system at once. Stepping through a clip frees and allocates ten frames at a time; on
// virtual machines the page faults of fresh memory cost more than decoding the frames. Freed
// memory beyond 128 MiB is still returned. Call once at start-up.
void reuseFreedPictureMemory();

}  // namespace imaging
