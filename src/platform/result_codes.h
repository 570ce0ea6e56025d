// Result codes of the drawing, 3D and scene-graph services, with their customary numeric values.
// Callers compare results against these and turn them into texts in ascending unsigned order.
#pragma once
#include <cstdint>

namespace platform {

using HResult = int32_t;

// Codes of the drawing facility: 0x88760000 | code.
constexpr HResult MakeDrawResult(uint32_t code) { return static_cast<HResult>(0x88760000u | code); }

constexpr HResult DD_OK = 0;

// Generic system codes that the drawing facility shares.
constexpr HResult DDERR_UNSUPPORTED = static_cast<HResult>(0x80004001u);
constexpr HResult DDERR_GENERIC = static_cast<HResult>(0x80004005u);
constexpr HResult DDERR_OUTOFMEMORY = static_cast<HResult>(0x8007000Eu);
constexpr HResult DDERR_INVALIDPARAMS = static_cast<HResult>(0x80070057u);

constexpr HResult DDERR_ALREADYINITIALIZED = MakeDrawResult(5);
constexpr HResult DDERR_CANNOTATTACHSURFACE = MakeDrawResult(10);
constexpr HResult DDERR_CANNOTDETACHSURFACE = MakeDrawResult(20);
constexpr HResult DDERR_CURRENTLYNOTAVAIL = MakeDrawResult(40);
constexpr HResult DDERR_EXCEPTION = MakeDrawResult(55);
constexpr HResult DDERR_HEIGHTALIGN = MakeDrawResult(90);
constexpr HResult DDERR_INCOMPATIBLEPRIMARY = MakeDrawResult(95);
constexpr HResult DDERR_INVALIDCAPS = MakeDrawResult(100);
constexpr HResult DDERR_INVALIDCLIPLIST = MakeDrawResult(110);
constexpr HResult DDERR_INVALIDMODE = MakeDrawResult(120);
constexpr HResult DDERR_INVALIDOBJECT = MakeDrawResult(130);
constexpr HResult DDERR_INVALIDPIXELFORMAT = MakeDrawResult(145);
constexpr HResult DDERR_INVALIDRECT = MakeDrawResult(150);
constexpr HResult DDERR_LOCKEDSURFACES = MakeDrawResult(160);
constexpr HResult DDERR_NO3D = MakeDrawResult(170);
constexpr HResult DDERR_NOALPHAHW = MakeDrawResult(180);
constexpr HResult DDERR_NOCLIPLIST = MakeDrawResult(205);
constexpr HResult DDERR_NOCOLORCONVHW = MakeDrawResult(210);
constexpr HResult DDERR_NOCOOPERATIVELEVELSET = MakeDrawResult(212);
constexpr HResult DDERR_NOCOLORKEY = MakeDrawResult(215);
constexpr HResult DDERR_NOCOLORKEYHW = MakeDrawResult(220);
constexpr HResult DDERR_NODIRECTDRAWSUPPORT = MakeDrawResult(222);
constexpr HResult DDERR_NOEXCLUSIVEMODE = MakeDrawResult(225);
constexpr HResult DDERR_NOFLIPHW = MakeDrawResult(230);
constexpr HResult DDERR_NOGDI = MakeDrawResult(240);
constexpr HResult DDERR_NOMIRRORHW = MakeDrawResult(250);
constexpr HResult DDERR_NOTFOUND = MakeDrawResult(255);
constexpr HResult DDERR_NOOVERLAYHW = MakeDrawResult(260);
constexpr HResult DDERR_NORASTEROPHW = MakeDrawResult(280);
constexpr HResult DDERR_NOROTATIONHW = MakeDrawResult(290);
constexpr HResult DDERR_NOSTRETCHHW = MakeDrawResult(310);
constexpr HResult DDERR_NOT4BITCOLOR = MakeDrawResult(316);
constexpr HResult DDERR_NOT4BITCOLORINDEX = MakeDrawResult(317);
constexpr HResult DDERR_NOT8BITCOLOR = MakeDrawResult(320);
constexpr HResult DDERR_NOTEXTUREHW = MakeDrawResult(330);
constexpr HResult DDERR_NOVSYNCHW = MakeDrawResult(335);
constexpr HResult DDERR_NOZBUFFERHW = MakeDrawResult(340);
constexpr HResult DDERR_NOZOVERLAYHW = MakeDrawResult(350);
constexpr HResult DDERR_OUTOFCAPS = MakeDrawResult(360);
constexpr HResult DDERR_OUTOFVIDEOMEMORY = MakeDrawResult(380);
constexpr HResult DDERR_OVERLAYCANTCLIP = MakeDrawResult(382);
constexpr HResult DDERR_OVERLAYCOLORKEYONLYONEACTIVE = MakeDrawResult(384);
constexpr HResult DDERR_PALETTEBUSY = MakeDrawResult(387);
constexpr HResult DDERR_COLORKEYNOTSET = MakeDrawResult(400);
constexpr HResult DDERR_SURFACEALREADYATTACHED = MakeDrawResult(410);
constexpr HResult DDERR_SURFACEALREADYDEPENDENT = MakeDrawResult(420);
constexpr HResult DDERR_SURFACEBUSY = MakeDrawResult(430);
constexpr HResult DDERR_CANTLOCKSURFACE = MakeDrawResult(435);
constexpr HResult DDERR_SURFACEISOBSCURED = MakeDrawResult(440);
constexpr HResult DDERR_SURFACELOST = MakeDrawResult(450);
constexpr HResult DDERR_SURFACENOTATTACHED = MakeDrawResult(460);
constexpr HResult DDERR_TOOBIGHEIGHT = MakeDrawResult(470);
constexpr HResult DDERR_TOOBIGSIZE = MakeDrawResult(480);
constexpr HResult DDERR_TOOBIGWIDTH = MakeDrawResult(490);
constexpr HResult DDERR_UNSUPPORTEDFORMAT = MakeDrawResult(510);
constexpr HResult DDERR_UNSUPPORTEDMASK = MakeDrawResult(520);
constexpr HResult DDERR_VERTICALBLANKINPROGRESS = MakeDrawResult(537);
constexpr HResult DDERR_WASSTILLDRAWING = MakeDrawResult(540);
constexpr HResult DDERR_XALIGN = MakeDrawResult(560);
constexpr HResult DDERR_INVALIDDIRECTDRAWGUID = MakeDrawResult(561);
constexpr HResult DDERR_DIRECTDRAWALREADYCREATED = MakeDrawResult(562);
constexpr HResult DDERR_NODIRECTDRAWHW = MakeDrawResult(563);
constexpr HResult DDERR_PRIMARYSURFACEALREADYEXISTS = MakeDrawResult(564);
constexpr HResult DDERR_NOEMULATION = MakeDrawResult(565);
constexpr HResult DDERR_REGIONTOOSMALL = MakeDrawResult(566);
constexpr HResult DDERR_CLIPPERISUSINGHWND = MakeDrawResult(567);
constexpr HResult DDERR_NOCLIPPERATTACHED = MakeDrawResult(568);
constexpr HResult DDERR_NOHWND = MakeDrawResult(569);
constexpr HResult DDERR_HWNDSUBCLASSED = MakeDrawResult(570);
constexpr HResult DDERR_HWNDALREADYSET = MakeDrawResult(571);
constexpr HResult DDERR_NOPALETTEATTACHED = MakeDrawResult(572);
constexpr HResult DDERR_NOPALETTEHW = MakeDrawResult(573);
constexpr HResult DDERR_BLTFASTCANTCLIP = MakeDrawResult(574);
constexpr HResult DDERR_NOBLTHW = MakeDrawResult(575);
constexpr HResult DDERR_NODDROPSHW = MakeDrawResult(576);
constexpr HResult DDERR_OVERLAYNOTVISIBLE = MakeDrawResult(577);
constexpr HResult DDERR_NOOVERLAYDEST = MakeDrawResult(578);
constexpr HResult DDERR_INVALIDPOSITION = MakeDrawResult(579);
constexpr HResult DDERR_NOTAOVERLAYSURFACE = MakeDrawResult(580);
constexpr HResult DDERR_EXCLUSIVEMODEALREADYSET = MakeDrawResult(581);
constexpr HResult DDERR_NOTFLIPPABLE = MakeDrawResult(582);
constexpr HResult DDERR_CANTDUPLICATE = MakeDrawResult(583);
constexpr HResult DDERR_NOTLOCKED = MakeDrawResult(584);
constexpr HResult DDERR_CANTCREATEDC = MakeDrawResult(585);
constexpr HResult DDERR_NODC = MakeDrawResult(586);
constexpr HResult DDERR_WRONGMODE = MakeDrawResult(587);
constexpr HResult DDERR_IMPLICITLYCREATED = MakeDrawResult(588);
constexpr HResult DDERR_NOTPALETTIZED = MakeDrawResult(589);

// The 3D device's codes.
constexpr HResult D3DERR_BADMAJORVERSION = MakeDrawResult(700);
constexpr HResult D3DERR_BADMINORVERSION = MakeDrawResult(701);
constexpr HResult D3DERR_EXECUTE_CREATE_FAILED = MakeDrawResult(710);
constexpr HResult D3DERR_EXECUTE_DESTROY_FAILED = MakeDrawResult(711);
constexpr HResult D3DERR_EXECUTE_LOCK_FAILED = MakeDrawResult(712);
constexpr HResult D3DERR_EXECUTE_UNLOCK_FAILED = MakeDrawResult(713);
constexpr HResult D3DERR_EXECUTE_LOCKED = MakeDrawResult(714);
constexpr HResult D3DERR_EXECUTE_NOT_LOCKED = MakeDrawResult(715);
constexpr HResult D3DERR_EXECUTE_FAILED = MakeDrawResult(716);
constexpr HResult D3DERR_EXECUTE_CLIPPED_FAILED = MakeDrawResult(717);
constexpr HResult D3DERR_TEXTURE_NO_SUPPORT = MakeDrawResult(720);
constexpr HResult D3DERR_TEXTURE_CREATE_FAILED = MakeDrawResult(721);
constexpr HResult D3DERR_TEXTURE_DESTROY_FAILED = MakeDrawResult(722);
constexpr HResult D3DERR_TEXTURE_LOCK_FAILED = MakeDrawResult(723);
constexpr HResult D3DERR_TEXTURE_UNLOCK_FAILED = MakeDrawResult(724);
constexpr HResult D3DERR_TEXTURE_LOAD_FAILED = MakeDrawResult(725);
constexpr HResult D3DERR_TEXTURE_SWAP_FAILED = MakeDrawResult(726);
constexpr HResult D3DERR_TEXTURE_LOCKED = MakeDrawResult(727);
constexpr HResult D3DERR_TEXTURE_NOT_LOCKED = MakeDrawResult(728);
constexpr HResult D3DERR_TEXTURE_GETSURF_FAILED = MakeDrawResult(729);
constexpr HResult D3DERR_MATRIX_CREATE_FAILED = MakeDrawResult(730);
constexpr HResult D3DERR_MATRIX_DESTROY_FAILED = MakeDrawResult(731);
constexpr HResult D3DERR_MATRIX_SETDATA_FAILED = MakeDrawResult(732);
constexpr HResult D3DERR_MATRIX_GETDATA_FAILED = MakeDrawResult(733);
constexpr HResult D3DERR_SETVIEWPORTDATA_FAILED = MakeDrawResult(734);
constexpr HResult D3DERR_MATERIAL_CREATE_FAILED = MakeDrawResult(740);
constexpr HResult D3DERR_MATERIAL_DESTROY_FAILED = MakeDrawResult(741);
constexpr HResult D3DERR_MATERIAL_SETDATA_FAILED = MakeDrawResult(742);
constexpr HResult D3DERR_MATERIAL_GETDATA_FAILED = MakeDrawResult(743);
constexpr HResult D3DERR_LIGHT_SET_FAILED = MakeDrawResult(750);
constexpr HResult D3DERR_SCENE_IN_SCENE = MakeDrawResult(760);
constexpr HResult D3DERR_SCENE_NOT_IN_SCENE = MakeDrawResult(761);
constexpr HResult D3DERR_SCENE_BEGIN_FAILED = MakeDrawResult(762);
constexpr HResult D3DERR_SCENE_END_FAILED = MakeDrawResult(763);

// The scene graph's codes.
constexpr HResult D3DRMERR_BADOBJECT = MakeDrawResult(781);
constexpr HResult D3DRMERR_BADTYPE = MakeDrawResult(782);
constexpr HResult D3DRMERR_BADALLOC = MakeDrawResult(783);
constexpr HResult D3DRMERR_FACEUSED = MakeDrawResult(784);
constexpr HResult D3DRMERR_NOTFOUND = MakeDrawResult(785);
constexpr HResult D3DRMERR_NOTDONEYET = MakeDrawResult(786);
constexpr HResult D3DRMERR_FILENOTFOUND = MakeDrawResult(787);
constexpr HResult D3DRMERR_BADFILE = MakeDrawResult(788);
constexpr HResult D3DRMERR_BADDEVICE = MakeDrawResult(789);
constexpr HResult D3DRMERR_BADVALUE = MakeDrawResult(790);
constexpr HResult D3DRMERR_BADMAJORVERSION = MakeDrawResult(791);
constexpr HResult D3DRMERR_BADMINORVERSION = MakeDrawResult(792);
constexpr HResult D3DRMERR_UNABLETOEXECUTE = MakeDrawResult(793);

constexpr bool Failed(HResult r) { return r < 0; }

}  // namespace platform
