#include "base/error_text.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "base/messages.h"
#include "base/report_error.h"
#include "platform/result_codes.h"

using namespace platform;

namespace {

struct ErrorText {
    HResult code;
    const char* text;
};

// Ordered by the codes' unsigned values, so that a code is found by halving.
constexpr ErrorText ErrorTexts[] = {
    {DD_OK, "No error."},
    {DDERR_UNSUPPORTED, "Action not supported."},
    {DDERR_GENERIC, "Generic failure."},
    {DDERR_OUTOFMEMORY, "DirectDraw does not have enough memory to perform the operation."},
    {DDERR_INVALIDPARAMS, "One or more of the parameters passed to the function are incorrect."},
    {DDERR_ALREADYINITIALIZED, "The object has been initialized already."},
    {DDERR_CANNOTATTACHSURFACE, "The surface cannot be attached to the surface asked for."},
    {DDERR_CANNOTDETACHSURFACE, "The surface cannot be detached from the surface asked for."},
    {DDERR_CURRENTLYNOTAVAIL, "The operation is not available at present."},
    {DDERR_EXCEPTION, "An exception occurred while the operation was carried out."},
    {DDERR_HEIGHTALIGN, "The height of the rectangle is not a multiple of the alignment needed."},
    {DDERR_INCOMPATIBLEPRIMARY,
     "The primary surface asked for does not match the one that exists."},
    {DDERR_INVALIDCAPS, "One or more of the capability bits given are not valid."},
    {DDERR_INVALIDCLIPLIST, "The clip list given is not supported."},
    {DDERR_INVALIDMODE, "DirectDraw does not support the requested mode."},
    {DDERR_INVALIDOBJECT, "The object given is not a valid drawing object."},
    {DDERR_INVALIDPIXELFORMAT, "The pixel format given is not valid."},
    {DDERR_INVALIDRECT, "The rectangle given is not valid."},
    {DDERR_LOCKEDSURFACES,
     "One or more surfaces are locked, so the operation cannot be carried out."},
    {DDERR_NO3D, "No 3D support is present."},
    {DDERR_NOALPHAHW,
     "Operation could not be carried out because there is no alpha accleration hardware present or "
     "available."},
    {DDERR_NOCLIPLIST, "There is no clip list."},
    {DDERR_NOCOLORCONVHW,
     "No colour conversion hardware is present or available for the operation."},
    {DDERR_NOCOOPERATIVELEVELSET, "A creation call was made before the cooperative level was set."},
    {DDERR_NOCOLORKEY, "Surface doesn't currently have a color key"},
    {DDERR_NOCOLORKEYHW, "No hardware supports the destination colour key for the operation."},
    {DDERR_NOEXCLUSIVEMODE,
     "Operation requires the application to have exclusive mode but the application does not have "
     "exclusive mode."},
    {DDERR_NOFLIPHW, "Visible surfaces cannot be flipped."},
    {DDERR_NOGDI, "No graphics device interface is present."},
    {DDERR_NOMIRRORHW, "No mirroring hardware is present or available for the operation."},
    {DDERR_NOTFOUND, "The item asked for was not found."},
    {DDERR_NOOVERLAYHW, "No overlay hardware is present or available for the operation."},
    {DDERR_NORASTEROPHW, "No raster operation hardware is present or available for the operation."},
    {DDERR_NOROTATIONHW, "No rotation hardware is present or available for the operation."},
    {DDERR_NOSTRETCHHW, "No hardware supports stretching for the operation."},
    {DDERR_NOT4BITCOLOR,
     "The operation needs a 4-bit colour palette, which the surface does not have."},
    {DDERR_NOT4BITCOLORINDEX,
     "The operation needs a 4-bit colour index palette, which the surface does not have."},
    {DDERR_NOT8BITCOLOR, "The operation needs 8-bit colour, which the surface does not have."},
    {DDERR_NOTEXTUREHW, "No texture mapping hardware is present or available for the operation."},
    {DDERR_NOVSYNCHW, "No hardware supports operations synchronized with the vertical blank."},
    {DDERR_NOZBUFFERHW, "No hardware supports z-buffer blits for the operation."},
    {DDERR_NOZOVERLAYHW, "The hardware cannot order overlays in depth."},
    {DDERR_OUTOFCAPS, "The hardware the operation needs is already in use."},
    {DDERR_OUTOFVIDEOMEMORY, "DirectDraw does not have enough memory to perform the operation."},
    {DDERR_OVERLAYCANTCLIP, "The hardware cannot clip overlays."},
    {DDERR_OVERLAYCOLORKEYONLYONEACTIVE,
     "Can only have ony color key active at one time for overlays."},
    {DDERR_PALETTEBUSY, "The palette is locked by another thread, so access to it is refused."},
    {DDERR_COLORKEYNOTSET, "No source colour key was given for the operation."},
    {DDERR_SURFACEALREADYATTACHED, "The surface is already attached to the surface given."},
    {DDERR_SURFACEALREADYDEPENDENT, "The surface already depends on the surface given."},
    {DDERR_SURFACEBUSY,
     "Access to this surface is being refused because the surface is already locked by another "
     "thread."},
    {DDERR_SURFACEISOBSCURED, "The surface is obscured, so access to it is refused."},
    {DDERR_SURFACELOST,
     "Access to this surface is being refused because the surface memory is gone. The "
     "DirectDrawSurface object representing this surface should have Restore called on it."},
    {DDERR_SURFACENOTATTACHED, "The surface asked for is not attached."},
    {DDERR_TOOBIGHEIGHT, "The height asked for is too large."},
    {DDERR_TOOBIGSIZE,
     "The size asked for is too large, though its height and width each are acceptable."},
    {DDERR_TOOBIGWIDTH, "The width asked for is too large."},
    {DDERR_UNSUPPORTEDFORMAT, "The surface format asked for is not supported."},
    {DDERR_UNSUPPORTEDMASK, "The bit mask of the pixel format asked for is not supported."},
    {DDERR_VERTICALBLANKINPROGRESS, "A vertical blank is in progress."},
    {DDERR_WASSTILLDRAWING,
     "Informs DirectDraw that the previous Blt which is transfering information to or from this "
     "Surface is incomplete."},
    {DDERR_XALIGN, "The rectangle is not aligned horizontally on the boundary needed."},
    {DDERR_INVALIDDIRECTDRAWGUID, "The identifier given does not name a drawing driver."},
    {DDERR_DIRECTDRAWALREADYCREATED,
     "A drawing object for this driver already exists in this process."},
    {DDERR_NODIRECTDRAWHW,
     "A drawing object that needs hardware was asked for, but the driver has none."},
    {DDERR_PRIMARYSURFACEALREADYEXISTS, "This process has made a primary surface already."},
    {DDERR_NOEMULATION, "No software emulation is available."},
    {DDERR_REGIONTOOSMALL, "The region given for the clip list is too small."},
    {DDERR_CLIPPERISUSINGHWND,
     "The clipper already follows a window, so no clip list can be set on it."},
    {DDERR_NOCLIPPERATTACHED, "No clipper is attached to the surface."},
    {DDERR_NOHWND, "No window has been given for the cooperative level or the clipper."},
    {DDERR_HWNDSUBCLASSED,
     "The window of the cooperative level has been subclassed, so its state cannot be restored."},
    {DDERR_HWNDALREADYSET,
     "The window of the cooperative level is set and cannot change while surfaces or palettes "
     "exist."},
    {DDERR_NOPALETTEATTACHED, "No palette is attached to the surface."},
    {DDERR_NOPALETTEHW, "No hardware supports 16 or 256 colour palettes."},
    {DDERR_BLTFASTCANTCLIP,
     "A fast blit cannot clip, and a clipper is attached to the source surface."},
    {DDERR_NOBLTHW, "No blitting hardware is present."},
    {DDERR_NODDROPSHW, "No raster operation hardware is present for drawing."},
    {DDERR_OVERLAYNOTVISIBLE, "The overlay is hidden, so it has no position."},
    {DDERR_NOOVERLAYDEST, "The overlay has no destination yet, so it has no position."},
    {DDERR_INVALIDPOSITION, "The overlay's position is no longer valid on its destination."},
    {DDERR_NOTAOVERLAYSURFACE, "The surface is not an overlay."},
    {DDERR_EXCLUSIVEMODEALREADYSET, "The cooperative level is already exclusive."},
    {DDERR_NOTFLIPPABLE, "The surface cannot be flipped."},
    {DDERR_CANTDUPLICATE, "Primary, 3D and implicitly made surfaces cannot be duplicated."},
    {DDERR_NOTLOCKED,
     "Surface was not locked.  An attempt to unlock a surface that was not locked at all, or by "
     "this process, has been attempted."},
    {DDERR_CANTCREATEDC, "No more device contexts can be made."},
    {DDERR_NODC, "No device context was ever made for the surface."},
    {DDERR_WRONGMODE, "The surface was made in another display mode and cannot be restored."},
    {DDERR_IMPLICITLYCREATED, "The surface was made implicitly and cannot be restored."},
    {DDERR_NOTPALETTIZED, "The surface does not use a palette."},
    {D3DERR_BADMAJORVERSION, "D3DERR_BADMAJORVERSION"},
    {D3DERR_BADMINORVERSION, "D3DERR_BADMINORVERSION"},
    {D3DERR_EXECUTE_CREATE_FAILED, "D3DERR_EXECUTE_CREATE_FAILED"},
    {D3DERR_EXECUTE_DESTROY_FAILED, "D3DERR_EXECUTE_DESTROY_FAILED"},
    {D3DERR_EXECUTE_LOCK_FAILED, "D3DERR_EXECUTE_LOCK_FAILED"},
    {D3DERR_EXECUTE_UNLOCK_FAILED, "D3DERR_EXECUTE_UNLOCK_FAILED"},
    {D3DERR_EXECUTE_LOCKED, "D3DERR_EXECUTE_LOCKED"},
    {D3DERR_EXECUTE_NOT_LOCKED, "D3DERR_EXECUTE_NOT_LOCKED"},
    {D3DERR_EXECUTE_FAILED, "D3DERR_EXECUTE_FAILED"},
    {D3DERR_EXECUTE_CLIPPED_FAILED, "D3DERR_EXECUTE_CLIPPED_FAILED"},
    {D3DERR_TEXTURE_NO_SUPPORT, "D3DERR_TEXTURE_NO_SUPPORT"},
    {D3DERR_TEXTURE_CREATE_FAILED, "D3DERR_TEXTURE_CREATE_FAILED"},
    {D3DERR_TEXTURE_DESTROY_FAILED, "D3DERR_TEXTURE_DESTROY_FAILED"},
    {D3DERR_TEXTURE_LOCK_FAILED, "D3DERR_TEXTURE_LOCK_FAILED"},
    {D3DERR_TEXTURE_UNLOCK_FAILED, "D3DERR_TEXTURE_UNLOCK_FAILED"},
    {D3DERR_TEXTURE_LOAD_FAILED, "D3DERR_TEXTURE_LOAD_FAILED"},
    {D3DERR_TEXTURE_LOCKED, "D3DERR_TEXTURELOCKED"},
    {D3DERR_TEXTURE_NOT_LOCKED, "D3DERR_TEXTURE_NOT_LOCKED"},
    {D3DERR_MATRIX_CREATE_FAILED, "D3DERR_MATRIX_CREATE_FAILED"},
    {D3DERR_MATRIX_DESTROY_FAILED, "D3DERR_MATRIX_DESTROY_FAILED"},
    {D3DERR_MATRIX_SETDATA_FAILED, "D3DERR_MATRIX_SETDATA_FAILED"},
    {D3DERR_SETVIEWPORTDATA_FAILED, "D3DERR_SETVIEWPORTDATA_FAILED"},
    {D3DERR_MATERIAL_CREATE_FAILED, "D3DERR_MATERIAL_CREATE_FAILED"},
    {D3DERR_MATERIAL_DESTROY_FAILED, "D3DERR_MATERIAL_DESTROY_FAILED"},
    {D3DERR_MATERIAL_SETDATA_FAILED, "D3DERR_MATERIAL_SETDATA_FAILED"},
    {D3DERR_LIGHT_SET_FAILED, "D3DERR_LIGHT_SET_FAILED"},
    {D3DRMERR_BADOBJECT, "D3DRMERR_BADOBJECT"},
    {D3DRMERR_BADTYPE, "D3DRMERR_BADTYPE"},
    {D3DRMERR_BADALLOC, "D3DRMERR_BADALLOC"},
    {D3DRMERR_FACEUSED, "D3DRMERR_FACEUSED"},
    {D3DRMERR_NOTFOUND, "D3DRMERR_NOTFOUND"},
    {D3DRMERR_NOTDONEYET, "D3DRMERR_NOTDONEYET"},
    {D3DRMERR_FILENOTFOUND, "The file was not found."},
    {D3DRMERR_BADFILE, "D3DRMERR_BADFILE"},
    {D3DRMERR_BADDEVICE, "D3DRMERR_BADDEVICE"},
    {D3DRMERR_BADVALUE, "D3DRMERR_BADVALUE"},
    {D3DRMERR_BADMAJORVERSION, "D3DRMERR_BADMAJORVERSION"},
    {D3DRMERR_BADMINORVERSION, "D3DRMERR_BADMINORVERSION"},
    {D3DRMERR_UNABLETOEXECUTE, "D3DRMERR_UNABLETOEXECUTE"},
};

constexpr bool Ascending() {
    for (size_t i = 1; i < std::size(ErrorTexts); ++i) {
        if (static_cast<uint32_t>(ErrorTexts[i - 1].code) >=
            static_cast<uint32_t>(ErrorTexts[i].code))
            return false;
    }
    return true;
}
static_assert(std::size(ErrorTexts) == 130, "one text for each code of the table");
static_assert(Ascending(), "the table is ordered by unsigned code");

}  // namespace

const char* ErrorToString(HResult code) {
    const auto* end = std::end(ErrorTexts);
    const auto* found = std::lower_bound(
        std::begin(ErrorTexts), end, static_cast<uint32_t>(code),
        [](const ErrorText& e, uint32_t c) { return static_cast<uint32_t>(e.code) < c; });
    if (found == end || found->code != code) return UnrecognizedErrorText;
    return found->text;
}
