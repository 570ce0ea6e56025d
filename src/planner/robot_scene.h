// What the robots need of the scene animation: where their characters' frames stand, and the
// turning mover that carries a character along one leg of its route.
#pragma once

class RobotScene {
public:
    virtual ~RobotScene() = default;
    // The translation (x, y, z) of the frame of the part that the first link of motion row
    // `row` turns, or of the part `partOffset` places from it; false when the row, its link or
    // the part's frame is missing.
    virtual bool PartTranslation(int row, int partOffset, float out[3]) = 0;
    // Starts a straight move with a turn for the character of motion row `actor` (from and to
    // in world units; headings in degrees; at most `turnFrames` frames of turning; `notify` 1 on
    // the last leg) and hands it to the animation objects. The move's frame count, or -1 when
    // the mover refuses it.
    virtual int StartTurnMove(int actor, const float from[3], const float to[3], float speed,
                              float startHeading, float endHeading, int turnFrames, int notify) = 0;
    // Ends robot `robot`'s move in progress: its animation entry plays the character's motion
    // again without moving it.
    virtual void StopMove(int robot) = 0;
};

// The scene the robots drive; none (null) until the game sets the scene animation's at start-up.
void SetRobotScene(RobotScene* scene);
RobotScene* CurrentRobotScene();
