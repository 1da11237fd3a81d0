// Entry of the player bundle that every template ships as files/swfobject.js.
import { startPlayer } from './player.mjs';

startPlayer();
