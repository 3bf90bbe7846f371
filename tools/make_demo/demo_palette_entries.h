#pragma once
// The entries of the demo's common palette, by the index stages link to, and the
// database sounds they play.
namespace demo {

enum : int { kFloor = 1, kBrick = 2, kDirt = 3 };
enum : int { kPlayer = 1, kWalker = 2, kFlyer = 3, kShooter = 4, kBoss = 5, kPlatform = 6, kSign = 7, kGoal = 8 };
enum : int { kCoin = 1, kHeart = 2 };
// Forces: the player's, the enemies' and the harmless things'.
enum : int { kPlayerForce = 0, kEnemyForce = 1, kPlatformForce = 2 };
// Database sounds.
enum : int { kSoundJump = 1, kSoundCoin = 2, kSoundHit = 3, kSoundShot = 4 };

}  // namespace demo
